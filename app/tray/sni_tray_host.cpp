#include "app/tray/sni_tray_host.h"

#include <unistd.h>

#include <QAtomicInt>
#include <QMetaObject>

#include "app/tray/sni_bus.h"
#include "app/tray/sni_item.h"
#include "app/tray/sni_watcher_monitor.h"

namespace orvana::app {
namespace {

// Connection names are process-wide: each host has its own.
QString NextConnectionName() {
  static QAtomicInt hosts;
  return QStringLiteral("orvana-tray-%1").arg(hosts.fetchAndAddRelaxed(1) + 1);
}

}  // namespace

TSniTrayHost::TSniTrayHost(const QString& busAddress, QObject* parent, int answerTimeoutMs)
    : TTrayIconHost(parent), busAddress_(busAddress), connectionName_(NextConnectionName()) {
  const QDBusConnection bus = ConnectSniBus(busAddress_, connectionName_);
  if (!bus.isConnected()) return;
  monitor_ = new TSniWatcherMonitor(bus, answerTimeoutMs, this);
  connect(monitor_, &TSniWatcherMonitor::availabilityChanged, this, &TTrayIconHost::availabilityChanged);
  // A new watcher knows nothing of the items the last one had.
  connect(monitor_, &TSniWatcherMonitor::watcherAppeared, this, [this] {
    for (TSniItem* item : std::as_const(items_)) item->RegisterWithWatcher();
  });
}

TSniTrayHost::~TSniTrayHost() {
  qDeleteAll(items_);
  items_.clear();
  delete monitor_;
  monitor_ = nullptr;
  QDBusConnection::disconnectFromBus(connectionName_);
}

bool TSniTrayHost::Available() const { return monitor_ != nullptr && monitor_->Available(); }

bool TSniTrayHost::SetIcon(int id, const QIcon& icon, const QString& tip) {
  if (id < 1) return false;
  if (TSniItem* item = items_.value(id)) {
    item->Update(icon, tip);
    return Available();
  }
  if (!Available()) return false;
  AddItem(id, icon, tip);
  return items_.contains(id);
}

void TSniTrayHost::AddItem(int id, const QIcon& icon, const QString& tip) {
  auto* item = new TSniItem(busAddress_, QStringLiteral("%1-%2").arg(connectionName_).arg(id), ServiceName(id), this);
  if (!item->Exported()) {
    delete item;
    return;
  }
  item->Update(icon, tip);
  connect(item, &TSniItem::activated, this,
          [this, id](QPoint at) { PostClick(id, TTrayMessage::kLeftDown, TTrayMessage::kLeftUp, at); });
  connect(item, &TSniItem::contextMenuRequested, this,
          [this, id](QPoint at) { PostClick(id, TTrayMessage::kRightDown, TTrayMessage::kRightUp, at); });
  connect(item, &TSniItem::secondaryActivated, this,
          [this, id](QPoint at) { PostClick(id, TTrayMessage::kMiddleDown, TTrayMessage::kMiddleUp, at); });
  connect(item, &TSniItem::scrolled, this, [this, id](int delta) { PostWheel(id, delta); });
  items_.insert(id, item);
  wheels_.insert(id, TWheelNotches());
  item->RegisterWithWatcher();
}

void TSniTrayHost::RemoveIcon(int id) {
  delete items_.take(id);
  wheels_.remove(id);
}

QString TSniTrayHost::ServiceName(int id) {
  return QStringLiteral("org.kde.StatusNotifierItem-%1-%2").arg(::getpid()).arg(id);
}

// Down and up go as two events, as two messages would: a handler of the
// down that runs a nested loop sees the up arrive inside it.
void TSniTrayHost::PostClick(int id, TTrayMessage down, TTrayMessage up, QPoint screenPos) {
  for (const TTrayMessage message : {down, up}) {
    QMetaObject::invokeMethod(
        this,
        [this, id, message, screenPos] {
          if (items_.contains(id)) emit this->message(id, message, screenPos);
        },
        Qt::QueuedConnection);
  }
}

void TSniTrayHost::PostWheel(int id, int delta) {
  const int notches = wheels_[id].Add(delta);
  if (notches == 0) return;
  QMetaObject::invokeMethod(
      this,
      [this, id, notches] {
        if (items_.contains(id)) emit wheel(id, notches);
      },
      Qt::QueuedConnection);
}

}  // namespace orvana::app
