#pragma once
// A StatusNotifierWatcher the tests run themselves, on a bus connection and
// a thread of its own (so it answers while the test's thread is blocked in
// a call to it, as a panel would): it takes the watcher's name, records
// every item that registers and which connection sent it, and lets the test
// say whether a host is there. Stop() drops its connection, as a panel that
// crashes would.
#include <QDBusConnection>
#include <QDBusContext>
#include <QMutex>
#include <QObject>
#include <QStringList>
#include <QThread>
#include <functional>

namespace orvana::testing {

// The object on the bus; lives on the watcher's thread.
class TWatcherObject : public QObject, protected QDBusContext {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
  Q_PROPERTY(bool IsStatusNotifierHostRegistered READ IsStatusNotifierHostRegistered)
  Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ RegisteredStatusNotifierItems)
  Q_PROPERTY(int ProtocolVersion READ ProtocolVersion)

 public:
  bool IsStatusNotifierHostRegistered() const;
  QStringList RegisteredStatusNotifierItems() const;
  int ProtocolVersion() const { return 0; }
  QStringList Senders() const;
  void SetState(bool hostRegistered, bool forgetItems);

 public slots:
  void RegisterStatusNotifierItem(const QString& service);
  void RegisterStatusNotifierHost(const QString& service);

 signals:
  void StatusNotifierItemRegistered(const QString& service);
  void StatusNotifierItemUnregistered(const QString& service);
  void StatusNotifierHostRegistered();
  void StatusNotifierHostUnregistered();

 private:
  mutable QMutex mutex_;
  bool hostRegistered_ = false;
  QStringList items_;
  QStringList senders_;
};

class TFakeStatusNotifierWatcher {
 public:
  explicit TFakeStatusNotifierWatcher(const QString& busAddress);
  ~TFakeStatusNotifierWatcher();
  TFakeStatusNotifierWatcher(const TFakeStatusNotifierWatcher&) = delete;
  TFakeStatusNotifierWatcher& operator=(const TFakeStatusNotifierWatcher&) = delete;

  // Takes the watcher's name on a new connection, knowing no items; false
  // when it could not.
  bool Start(bool hostRegistered);
  void Stop();
  // A host comes or goes: the property changes, then the signal goes out.
  void SetHostRegistered(bool registered);
  // Only the signal that a host left, the property unchanged.
  void SignalHostUnregistered();

  QStringList RegisteredStatusNotifierItems() const { return object_.RegisteredStatusNotifierItems(); }
  // Unique names of the connections that sent each registration.
  QStringList Senders() const { return object_.Senders(); }

 private:
  // Runs `work` on the watcher's thread and waits for it.
  void OnWatcherThread(const std::function<void()>& work);

  QString busAddress_;
  QString connectionName_;
  QThread thread_;
  TWatcherObject object_;
};

}  // namespace orvana::testing
