#pragma once
// Follows the StatusNotifierWatcher: whether one is on the bus and whether a
// host (a panel that shows items) has registered with it. Everything after
// the first look comes from bus signals; nothing polls.
#include <QDBusConnection>
#include <QObject>
#include <QString>

class QDBusServiceWatcher;

namespace orvana::app {

class TSniWatcherMonitor : public QObject {
  Q_OBJECT

 public:
  // Looks once, synchronously: whether the watcher's name has an owner (the
  // bus answers that at once), then, only when it has, asks the watcher
  // whether a host is registered, waiting at most `answerTimeoutMs`.
  explicit TSniWatcherMonitor(const QDBusConnection& bus, int answerTimeoutMs = 500, QObject* parent = nullptr);

  // A watcher exists and has a host: items registered now are shown.
  bool Available() const { return available_; }

 signals:
  // A watcher came (late start, or a restart): it knows no items yet.
  void watcherAppeared();
  void availabilityChanged(bool available);

 private slots:
  void OnOwnerChanged(const QString& name, const QString& oldOwner, const QString& newOwner);
  void OnHostRegistered();
  void OnHostUnregistered();

 private:
  bool AskHostRegisteredNow(int timeoutMs);
  void AskHostRegisteredLater();
  void SetState(const QString& owner, bool hostRegistered);

  QDBusConnection bus_;
  QDBusServiceWatcher* nameWatcher_ = nullptr;
  QString owner_;
  bool hostRegistered_ = false;
  bool available_ = false;
  // Answers asked of an earlier watcher are dropped.
  quint64 ownerGeneration_ = 0;
};

}  // namespace orvana::app
