#pragma once
// What the StatusNotifierItem tests share: a private bus, a watcher the test
// controls, a client connection that acts as the panel, and a host whose
// messages, wheel turns and availability changes are recorded.
#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QList>
#include <functional>
#include <utility>
#include <memory>
#include <vector>

#include "app/desktop/desktop_test_support.h"
#include "app/tray/sni_tray_host.h"
#include "fake_status_notifier_watcher.h"
#include "desktop/private_session_bus.h"
#include "qt_test_application.h"

namespace orvana::app {

struct TRecordedMessage {
  int id;
  TTrayMessage message;
  QPoint at;
  bool operator==(const TRecordedMessage&) const = default;
};

class SniBusTest : public ::testing::Test {
 protected:
  static constexpr int kWaitMs = 5000;

  void SetUp() override {
    orvana::testing::TestApplication();
    ASSERT_TRUE(bus_.Ready());
    static int clients = 0;
    clientName_ = QStringLiteral("sni-test-client-%1").arg(++clients);
    client_ = QDBusConnection::connectToBus(Address(), clientName_);
    ASSERT_TRUE(client_.isConnected());
  }

  void TearDown() override {
    host_.reset();
    watcher_.reset();
    client_ = QDBusConnection(QString());
    QDBusConnection::disconnectFromBus(clientName_);
  }

  QString Address() const { return QString::fromStdString(bus_.Address()); }

  orvana::testing::TFakeStatusNotifierWatcher& Watcher() {
    if (!watcher_) watcher_ = std::make_unique<orvana::testing::TFakeStatusNotifierWatcher>(Address());
    return *watcher_;
  }

  TSniTrayHost& MakeHost() {
    host_ = std::make_unique<TSniTrayHost>(Address());
    QObject::connect(host_.get(), &TTrayIconHost::message, [this](int id, TTrayMessage message, QPoint at) {
      messages_.push_back({id, message, at});
    });
    QObject::connect(host_.get(), &TTrayIconHost::wheel,
                     [this](int id, int notches) { wheels_.push_back({id, notches}); });
    QObject::connect(host_.get(), &TTrayIconHost::availabilityChanged,
                     [this](bool available) { availability_.push_back(available); });
    return *host_;
  }

  bool SpinUntil(const std::function<bool()>& done) { return testing::SpinUntil(done, kWaitMs); }

  // A call from the client, answered while the loop runs (the item lives on
  // this thread, so a blocking call would wait for itself).
  QDBusMessage Call(const QString& service, const QString& path, const QString& interface, const QString& method,
                    const QList<QVariant>& arguments = {}) {
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, method);
    call.setArguments(arguments);
    QDBusPendingCallWatcher pending(client_.asyncCall(call, kWaitMs));
    SpinUntil([&] { return pending.isFinished(); });
    return pending.isFinished() ? pending.reply() : QDBusMessage();
  }

  QDBusMessage CallItem(int id, const QString& method, const QList<QVariant>& arguments = {}) {
    return Call(TSniTrayHost::ServiceName(id), QStringLiteral("/StatusNotifierItem"),
                QStringLiteral("org.kde.StatusNotifierItem"), method, arguments);
  }

  QVariant ItemProperty(int id, const QString& name) {
    const QDBusMessage reply =
        Call(TSniTrayHost::ServiceName(id), QStringLiteral("/StatusNotifierItem"),
             QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"),
             {QStringLiteral("org.kde.StatusNotifierItem"), name});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return {};
    return reply.arguments().first().value<QDBusVariant>().variant();
  }

  bool NameHasOwner(const QString& name) {
    const QDBusMessage reply = Call(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                                    QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameHasOwner"), {name});
    return reply.type() == QDBusMessage::ReplyMessage && reply.arguments().value(0).toBool();
  }

  orvana::testing::TPrivateSessionBus bus_;
  QString clientName_;
  QDBusConnection client_{QString()};
  std::unique_ptr<orvana::testing::TFakeStatusNotifierWatcher> watcher_;
  std::unique_ptr<TSniTrayHost> host_;
  std::vector<TRecordedMessage> messages_;
  std::vector<std::pair<int, int>> wheels_;  // icon, notches
  std::vector<bool> availability_;
};

}  // namespace orvana::app
