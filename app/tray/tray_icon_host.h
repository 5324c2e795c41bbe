#pragma once
// One notification-area protocol (StatusNotifierItem, XEmbed): puts the
// program's icons into the desktop's tray and reports what the mouse does on
// them, the way the shell's callback messages do on the system the program
// first ran on.
#include <QIcon>
#include <QObject>
#include <QPoint>
#include <QString>

namespace orvana::app {

// What happened on an icon. A second press of a button within the double-click
// time is reported as kLeftDoubleClick/kRightDoubleClick instead of a down;
// its release is still an up.
enum class TTrayMessage {
  kMouseMove,
  kLeftDown,
  kLeftUp,
  kLeftDoubleClick,
  kRightDown,
  kRightUp,
  kRightDoubleClick,
  kMiddleDown,
  kMiddleUp,
};

class TTrayIconHost : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;

  // Whether a tray that shows this protocol's icons exists now.
  virtual bool Available() const = 0;
  // Adds icon `id` (≥ 1), or changes its picture and tip when it is there.
  // An empty tip means none. The host keeps the icon across restarts of the
  // tray (re-docks, re-registers) until RemoveIcon. False when no tray
  // exists or it refused the icon.
  virtual bool SetIcon(int id, const QIcon& icon, const QString& tip) = 0;
  // Takes icon `id` away; nothing when it is not there.
  virtual void RemoveIcon(int id) = 0;

 signals:
  // A button or move on icon `id`; `screenPos` is the cursor in screen
  // coordinates.
  void message(int id, orvana::app::TTrayMessage message, QPoint screenPos);
  // The wheel turned over icon `id` by whole `notches`, up positive; never
  // a click.
  void wheel(int id, int notches);
  // A tray came or went (a panel started late, or was restarted).
  void availabilityChanged(bool available);
};

}  // namespace orvana::app
