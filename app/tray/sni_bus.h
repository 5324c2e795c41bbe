#pragma once
// Where StatusNotifierItems and their watcher meet: the bus, and the names,
// paths and interfaces on it.
#include <QDBusConnection>
#include <QString>

namespace orvana::app {

inline const QString kSniWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
inline const QString kSniWatcherPath = QStringLiteral("/StatusNotifierWatcher");
inline const QString kSniWatcherInterface = QStringLiteral("org.kde.StatusNotifierWatcher");
inline const QString kSniItemPath = QStringLiteral("/StatusNotifierItem");
inline const QString kSniItemInterface = QStringLiteral("org.kde.StatusNotifierItem");

// Connects to the bus at `address`, or to the session bus when it is empty.
QDBusConnection ConnectSniBus(const QString& address, const QString& connectionName);

}  // namespace orvana::app
