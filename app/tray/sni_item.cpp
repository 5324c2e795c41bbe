#include "app/tray/sni_item.h"

#include <QDBusMessage>

#include "app/tray/sni_bus.h"
#include "app/tray/sni_icon_pixmaps.h"
#include "app/tray/sni_item_adaptor.h"

namespace orvana::app {

TSniItem::TSniItem(const QString& busAddress, const QString& connectionName, const QString& serviceName,
                   QObject* parent)
    : QObject(parent),
      connectionName_(connectionName),
      serviceName_(serviceName),
      bus_(ConnectSniBus(busAddress, connectionName)),
      adaptor_(new TSniItemAdaptor(this)) {
  RegisterSniDbusTypes();
  exported_ = bus_.isConnected() && bus_.registerObject(kSniItemPath, this, QDBusConnection::ExportAdaptors) &&
              bus_.registerService(serviceName_);
}

TSniItem::~TSniItem() {
  if (bus_.isConnected()) {
    bus_.unregisterService(serviceName_);
    bus_.unregisterObject(kSniItemPath);
  }
  bus_ = QDBusConnection(QString());
  QDBusConnection::disconnectFromBus(connectionName_);
}

void TSniItem::Update(const QIcon& icon, const QString& tip) {
  TSniPixmapList pixmaps = SniIconPixmaps(icon);
  if (pixmaps != pixmaps_) {
    pixmaps_ = std::move(pixmaps);
    emit adaptor_->NewIcon();
  }
  if (tip != tip_) {
    tip_ = tip;
    emit adaptor_->NewToolTip();
  }
}

void TSniItem::RegisterWithWatcher() {
  if (!exported_) return;
  QDBusMessage call = QDBusMessage::createMethodCall(kSniWatcherService, kSniWatcherPath, kSniWatcherInterface,
                                                     QStringLiteral("RegisterStatusNotifierItem"));
  call << serviceName_;
  // A watcher that is gone must not be started for this.
  call.setAutoStartService(false);
  bus_.send(call);
}

}  // namespace orvana::app
