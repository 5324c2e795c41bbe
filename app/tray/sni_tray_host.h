#pragma once
// The notification area over D-Bus: each icon is a StatusNotifierItem,
// registered with the session's StatusNotifierWatcher. Available while a
// watcher with a registered host is on the bus; icons outlive a watcher's
// restart and register again with the next one.
//
// Clicks: hosts call Activate, ContextMenu and SecondaryActivate once per
// click (on release), so each call becomes a down and an up of the left,
// right and middle button at the position the host gives. Both are posted to
// the event loop, not emitted inside the bus call: a handler may run a menu
// (a nested loop) while the host waits for the call's reply. Scroll calls
// become whole notches of the wheel, each icon keeping its own remainder.
#include <QHash>
#include <QString>
#include <memory>

#include "app/tray/tray_icon_host.h"
#include "app/tray/wheel_notches.h"

namespace orvana::app {

class TSniItem;
class TSniWatcherMonitor;

class TSniTrayHost : public TTrayIconHost {
  Q_OBJECT

 public:
  // `busAddress`: the bus to use; empty means the session bus. Without a
  // bus the host is never available. Looks for the watcher once here (see
  // TSniWatcherMonitor), waiting at most `answerTimeoutMs` for its answer.
  explicit TSniTrayHost(const QString& busAddress = {}, QObject* parent = nullptr, int answerTimeoutMs = 500);
  ~TSniTrayHost() override;

  bool Available() const override;
  // While no host is available: false, and a new id is not kept; an icon
  // already there takes the new picture and tip for when one comes back.
  bool SetIcon(int id, const QIcon& icon, const QString& tip) override;
  void RemoveIcon(int id) override;

  // The well-known bus name of icon `id`'s item.
  static QString ServiceName(int id);

 private:
  void AddItem(int id, const QIcon& icon, const QString& tip);
  void PostClick(int id, TTrayMessage down, TTrayMessage up, QPoint screenPos);
  void PostWheel(int id, int delta);

  QString busAddress_;
  QString connectionName_;
  TSniWatcherMonitor* monitor_ = nullptr;
  QHash<int, TSniItem*> items_;
  QHash<int, TWheelNotches> wheels_;
};

}  // namespace orvana::app
