#pragma once
// A main window with its MPRIS service on a private session bus, and the
// clients that talk to it: playerctl, run as a user runs it, and a bus
// connection of the test's own for what playerctl cannot do.
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QProcess>
#include <QProcessEnvironment>

#include "app/desktop/mpris_service.h"
#include "app/window/form_fixture.h"
#include "desktop/private_session_bus.h"

namespace orvana::app::testing {

class MprisFixture : public FormFixture {
 protected:
  static constexpr int kWaitMs = 10000;
  static constexpr int kToneCopies = 20;  // 24.5 s: no song ends during a test

  void SetUp() override {
    FormFixture::SetUp();
    ASSERT_TRUE(bus.Ready());
    static int connections = 0;
    serviceBusName = QStringLiteral("mpris-service-%1").arg(++connections);
    clientBusName = QStringLiteral("mpris-client-%1").arg(connections);
    client = QDBusConnection::connectToBus(Address(), clientBusName);
    ASSERT_TRUE(client.isConnected());
  }
  void TearDown() override {
    service.reset();
    FormFixture::TearDown();
    QDBusConnection::disconnectFromBus(serviceBusName);
    client = QDBusConnection(QString());
    QDBusConnection::disconnectFromBus(clientBusName);
  }

  QString Address() const { return QString::fromStdString(bus.Address()); }

  // A tone of kToneCopies × 1.2 s.
  std::string LongSong(const std::string& name) const {
    const std::string tone = Read(Song(name));
    std::string song;
    for (int copy = 0; copy < kToneCopies; ++copy) song += tone;
    Write(Path(name), song);
    return Path(name);
  }

  // The window, started with `arguments`, and its player on the bus.
  TForm1& StartWith(const std::vector<std::string>& arguments) {
    Create(arguments);
    service = std::make_unique<TMprisService>(*form, QDBusConnection::connectToBus(Address(), serviceBusName));
    EXPECT_TRUE(service->Register());
    return *form;
  }

  // playerctl's answer (its output without the line end), the loop running
  // meanwhile so that the window can answer it.
  QString Playerctl(const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment environment;
    for (const std::string& variable : bus.Environment()) {
      const std::size_t equals = variable.find('=');
      environment.insert(QString::fromStdString(variable.substr(0, equals)),
                         QString::fromStdString(variable.substr(equals + 1)));
    }
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral("playerctl"), QStringList{QStringLiteral("--player=orvana")} + arguments);
    WaitUntil([&] { return process.state() == QProcess::NotRunning; }, kWaitMs);
    if (process.state() != QProcess::NotRunning) process.kill();
    process.waitForFinished(1000);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
  }

  // A call from the test's own connection, answered while the loop runs.
  QDBusMessage Call(const QString& interface, const QString& method, const QList<QVariant>& arguments = {}) {
    QDBusMessage call = QDBusMessage::createMethodCall(QString::fromLatin1(TMprisService::kServiceName),
                                                       QString::fromLatin1(TMprisService::kObjectPath), interface,
                                                       method);
    call.setArguments(arguments);
    QDBusPendingCallWatcher pending(client.asyncCall(call, kWaitMs));
    WaitUntil([&] { return pending.isFinished(); }, kWaitMs);
    return pending.isFinished() ? pending.reply() : QDBusMessage();
  }

  player::TMP3Status Status() { return form->MP3Player1().Status(); }
  std::string PlayingFile() { return form->MP3Player1().FileName(); }

  orvana::testing::TPrivateSessionBus bus;
  QString serviceBusName;
  QString clientBusName;
  QDBusConnection client{QString()};
  std::unique_ptr<TMprisService> service;
};

}  // namespace orvana::app::testing
