#include "app/tray/sni_watcher_monitor.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>

#include "app/tray/sni_bus.h"

namespace orvana::app {
namespace {

const QString kHostRegisteredProperty = QStringLiteral("IsStatusNotifierHostRegistered");

QDBusMessage HostRegisteredQuestion() {
  QDBusMessage get = QDBusMessage::createMethodCall(kSniWatcherService, kSniWatcherPath,
                                                    QStringLiteral("org.freedesktop.DBus.Properties"),
                                                    QStringLiteral("Get"));
  get << kSniWatcherInterface << kHostRegisteredProperty;
  get.setAutoStartService(false);
  return get;
}

bool HostRegisteredAnswer(const QDBusMessage& reply) {
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return false;
  return reply.arguments().first().value<QDBusVariant>().variant().toBool();
}

}  // namespace

TSniWatcherMonitor::TSniWatcherMonitor(const QDBusConnection& bus, int answerTimeoutMs, QObject* parent)
    : QObject(parent), bus_(bus) {
  if (!bus_.isConnected()) return;
  // Listen first, so that a watcher coming while we look is not missed.
  nameWatcher_ = new QDBusServiceWatcher(kSniWatcherService, bus_, QDBusServiceWatcher::WatchForOwnerChange, this);
  connect(nameWatcher_, &QDBusServiceWatcher::serviceOwnerChanged, this, &TSniWatcherMonitor::OnOwnerChanged);
  bus_.connect(kSniWatcherService, kSniWatcherPath, kSniWatcherInterface,
               QStringLiteral("StatusNotifierHostRegistered"), this, SLOT(OnHostRegistered()));
  bus_.connect(kSniWatcherService, kSniWatcherPath, kSniWatcherInterface,
               QStringLiteral("StatusNotifierHostUnregistered"), this, SLOT(OnHostUnregistered()));

  const QDBusReply<QString> owner = bus_.interface()->serviceOwner(kSniWatcherService);
  if (!owner.isValid() || owner.value().isEmpty()) return;
  owner_ = owner.value();
  hostRegistered_ = AskHostRegisteredNow(answerTimeoutMs);
  available_ = hostRegistered_;
}

bool TSniWatcherMonitor::AskHostRegisteredNow(int timeoutMs) {
  return HostRegisteredAnswer(bus_.call(HostRegisteredQuestion(), QDBus::Block, timeoutMs));
}

void TSniWatcherMonitor::AskHostRegisteredLater() {
  auto* pending = new QDBusPendingCallWatcher(bus_.asyncCall(HostRegisteredQuestion()), this);
  const quint64 generation = ownerGeneration_;
  connect(pending, &QDBusPendingCallWatcher::finished, this, [this, pending, generation] {
    pending->deleteLater();
    if (generation != ownerGeneration_ || owner_.isEmpty()) return;
    SetState(owner_, HostRegisteredAnswer(pending->reply()));
  });
}

void TSniWatcherMonitor::OnOwnerChanged(const QString&, const QString&, const QString& newOwner) {
  if (newOwner == owner_) return;  // already seen by the first look
  ++ownerGeneration_;
  if (newOwner.isEmpty()) {
    SetState({}, false);
    return;
  }
  // Until the new watcher answers, whatever was known about hosts stands.
  SetState(newOwner, hostRegistered_);
  emit watcherAppeared();
  AskHostRegisteredLater();
}

void TSniWatcherMonitor::OnHostRegistered() {
  if (!owner_.isEmpty()) SetState(owner_, true);
}

// Other hosts may still be there: the watcher knows.
void TSniWatcherMonitor::OnHostUnregistered() {
  if (!owner_.isEmpty()) AskHostRegisteredLater();
}

void TSniWatcherMonitor::SetState(const QString& owner, bool hostRegistered) {
  owner_ = owner;
  hostRegistered_ = hostRegistered;
  const bool available = !owner_.isEmpty() && hostRegistered_;
  if (available == available_) return;
  available_ = available;
  emit availabilityChanged(available_);
}

}  // namespace orvana::app
