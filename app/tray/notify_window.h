#pragma once
// The program's one tray dispatcher: it keeps the icons the tray components
// asked for, shows them through whichever notification-area protocol the
// desktop has now (StatusNotifierItem before XEmbed), moves them when a tray
// comes or goes, and hands each click on an icon to its component.
#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "app/tray/tray_icon_host.h"

namespace orvana::app {

class TTaskTray;

using TTrayHosts = std::vector<std::unique_ptr<TTrayIconHost>>;
using TTrayHostFactory = std::function<TTrayHosts()>;

// The protocols of this desktop, most preferred first.
TTrayHosts DesktopTrayHosts();
// Replaces DesktopTrayHosts for dispatchers made from now on (tests).
void SetTrayHostFactory(TTrayHostFactory factory);

class TNotifyWindow : public QObject {
  Q_OBJECT

 public:
  // The dispatcher, made on first use as a child of `owner`; it goes when
  // its owner does.
  static TNotifyWindow& Instance(QObject* owner);
  // The dispatcher if it exists; never makes one.
  static TNotifyWindow* Existing() { return instance_.data(); }
  // Set while one tray message is being handled: messages that arrive
  // meanwhile (from a nested event loop) are dropped.
  static bool NotifyBusy() { return busy_; }

  // Adds icon `id` or changes its picture and tip. With no tray the icon is
  // kept and shown when one appears. False when a tray refused it.
  bool SetIcon(int id, const QIcon& icon, const QString& tip);
  void DeleteIcon(int id);
  // Whether a tray shows the icons now.
  bool TrayExists() const { return active_ != nullptr; }

 signals:
  void trayExistsChanged(bool exists);

 private:
  TNotifyWindow(TTrayHosts hosts, QObject* owner);
  void ChooseHost();
  void Dispatch(int id, TTrayMessage message, QPoint screenPos);
  void DispatchWheel(int id, int notches);
  // The icon's component when the message comes from the protocol in use
  // and no other message is being handled.
  TTaskTray* Receiver(int id) const;

  struct TIconState {
    QIcon icon;
    QString tip;
  };
  TTrayHosts hosts_;
  TTrayIconHost* active_ = nullptr;
  std::map<int, TIconState> icons_;
  static bool busy_;
  static QPointer<TNotifyWindow> instance_;
};

}  // namespace orvana::app
