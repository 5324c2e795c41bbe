#include "app/tray/sni_bus.h"

namespace orvana::app {

QDBusConnection ConnectSniBus(const QString& address, const QString& connectionName) {
  return address.isEmpty() ? QDBusConnection::connectToBus(QDBusConnection::SessionBus, connectionName)
                           : QDBusConnection::connectToBus(address, connectionName);
}

}  // namespace orvana::app
