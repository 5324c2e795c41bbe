#include "fake_status_notifier_watcher.h"

#include <QDBusMessage>
#include <QMetaObject>

namespace orvana::testing {

bool TWatcherObject::IsStatusNotifierHostRegistered() const {
  QMutexLocker lock(&mutex_);
  return hostRegistered_;
}

QStringList TWatcherObject::RegisteredStatusNotifierItems() const {
  QMutexLocker lock(&mutex_);
  return items_;
}

QStringList TWatcherObject::Senders() const {
  QMutexLocker lock(&mutex_);
  return senders_;
}

void TWatcherObject::SetState(bool hostRegistered, bool forgetItems) {
  QMutexLocker lock(&mutex_);
  hostRegistered_ = hostRegistered;
  if (forgetItems) {
    items_.clear();
    senders_.clear();
  }
}

void TWatcherObject::RegisterStatusNotifierItem(const QString& service) {
  {
    QMutexLocker lock(&mutex_);
    items_.append(service);
    senders_.append(message().service());
  }
  emit StatusNotifierItemRegistered(service);
}

void TWatcherObject::RegisterStatusNotifierHost(const QString&) {
  SetState(true, false);
  emit StatusNotifierHostRegistered();
}

TFakeStatusNotifierWatcher::TFakeStatusNotifierWatcher(const QString& busAddress) : busAddress_(busAddress) {
  thread_.start();
  object_.moveToThread(&thread_);
}

TFakeStatusNotifierWatcher::~TFakeStatusNotifierWatcher() {
  Stop();
  // Back to this thread before the thread ends, so that it is destroyed here.
  QThread* const here = QThread::currentThread();
  OnWatcherThread([this, here] { object_.moveToThread(here); });
  thread_.quit();
  thread_.wait(5000);
}

void TFakeStatusNotifierWatcher::OnWatcherThread(const std::function<void()>& work) {
  QMetaObject::invokeMethod(&object_, work, Qt::BlockingQueuedConnection);
}

bool TFakeStatusNotifierWatcher::Start(bool hostRegistered) {
  Stop();
  // A name per start: a restarted watcher is a new connection.
  static int starts = 0;
  connectionName_ = QStringLiteral("fake-watcher-%1").arg(++starts);
  bool started = false;
  OnWatcherThread([&] {
    object_.SetState(hostRegistered, true);
    QDBusConnection bus = QDBusConnection::connectToBus(busAddress_, connectionName_);
    started = bus.registerObject(QStringLiteral("/StatusNotifierWatcher"), &object_,
                                 QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals |
                                     QDBusConnection::ExportAllProperties) &&
              bus.registerService(QStringLiteral("org.kde.StatusNotifierWatcher"));
  });
  return started;
}

void TFakeStatusNotifierWatcher::Stop() {
  if (connectionName_.isEmpty()) return;
  OnWatcherThread([this] {
    QDBusConnection::disconnectFromBus(connectionName_);
    object_.SetState(false, true);
  });
  connectionName_.clear();
}

void TFakeStatusNotifierWatcher::SetHostRegistered(bool registered) {
  OnWatcherThread([&] {
    object_.SetState(registered, false);
    if (registered)
      emit object_.StatusNotifierHostRegistered();
    else
      emit object_.StatusNotifierHostUnregistered();
  });
}

void TFakeStatusNotifierWatcher::SignalHostUnregistered() {
  OnWatcherThread([this] { emit object_.StatusNotifierHostUnregistered(); });
}

}  // namespace orvana::testing
