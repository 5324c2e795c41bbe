// The StatusNotifierItem host against a watcher of the test's own: how icons
// register and leave, and what clicks become.
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPixmap>

#include "sni_bus_fixture.h"

namespace orvana::app {
namespace {

using M = TTrayMessage;

QIcon SolidIcon(QColor color) {
  QPixmap pixmap(32, 32);
  pixmap.fill(color);
  return QIcon(pixmap);
}

class SniTrayHostTest : public SniBusTest {
 protected:
  // A host with icon `id` shown by a watcher that has a host.
  TSniTrayHost& ShownHost(std::initializer_list<int> ids = {1}) {
    EXPECT_TRUE(Watcher().Start(true));
    TSniTrayHost& host = MakeHost();
    EXPECT_TRUE(host.Available());
    for (const int id : ids) EXPECT_TRUE(host.SetIcon(id, SolidIcon(Qt::red), QStringLiteral("tip")));
    EXPECT_TRUE(SpinUntil([&] { return Watcher().RegisteredStatusNotifierItems().size() == qsizetype(ids.size()); }));
    return host;
  }
};

TEST_F(SniTrayHostTest, EachIconRegistersItsOwnNameFromItsOwnConnection) {
  ShownHost({1, 2});
  const QStringList items = Watcher().RegisteredStatusNotifierItems();
  EXPECT_EQ(items, (QStringList{TSniTrayHost::ServiceName(1), TSniTrayHost::ServiceName(2)}));
  EXPECT_EQ(TSniTrayHost::ServiceName(2), QStringLiteral("org.kde.StatusNotifierItem-%1-2").arg(::getpid()));
  // The watcher ties an item's life to its sender: each name is its sender's.
  ASSERT_EQ(Watcher().Senders().size(), 2);
  EXPECT_NE(Watcher().Senders()[0], Watcher().Senders()[1]);
  for (int i = 0; i < 2; ++i) {
    const QDBusMessage owner = Call(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                                    QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetNameOwner"),
                                    {items[i]});
    EXPECT_EQ(owner.arguments().value(0).toString(), Watcher().Senders()[i]);
  }
}

// A double click arrives as two Activate calls: two clicks, never a double
// click, which is for the tray to tell.
TEST_F(SniTrayHostTest, EachCallIsOneButtonDownAndUpWhereTheHostSays) {
  ShownHost({1, 2});
  CallItem(1, QStringLiteral("Activate"), {10, 20});
  CallItem(1, QStringLiteral("Activate"), {10, 20});
  CallItem(2, QStringLiteral("ContextMenu"), {-5, 700});
  CallItem(1, QStringLiteral("SecondaryActivate"), {0, 0});
  ASSERT_TRUE(SpinUntil([&] { return messages_.size() >= 8; }));
  const std::vector<TRecordedMessage> expected{
      {1, M::kLeftDown, {10, 20}},   {1, M::kLeftUp, {10, 20}},  {1, M::kLeftDown, {10, 20}},
      {1, M::kLeftUp, {10, 20}},     {2, M::kRightDown, {-5, 700}}, {2, M::kRightUp, {-5, 700}},
      {1, M::kMiddleDown, {0, 0}}, {1, M::kMiddleUp, {0, 0}}};
  EXPECT_EQ(messages_, expected);
}

// Scroll is no click: whole notches of the vertical wheel, the rest of a
// part kept for the icon's next call; a tilt (horizontal) is nothing.
TEST_F(SniTrayHostTest, ScrollCallsAreTheVerticalWheelsNotches) {
  ShownHost({1, 2});
  CallItem(1, QStringLiteral("Scroll"), {120, QStringLiteral("vertical")});
  CallItem(2, QStringLiteral("Scroll"), {-60, QStringLiteral("Vertical")});
  CallItem(1, QStringLiteral("Scroll"), {240, QStringLiteral("horizontal")});
  CallItem(2, QStringLiteral("Scroll"), {-60, QStringLiteral("vertical")});
  ASSERT_TRUE(SpinUntil([&] { return wheels_.size() >= 2; }));
  EXPECT_EQ(wheels_, (std::vector<std::pair<int, int>>{{1, 1}, {2, -1}}));
  EXPECT_TRUE(messages_.empty());
}

TEST_F(SniTrayHostTest, TheHostsCallIsAnsweredWhileAHandlerRunsANestedLoop) {
  TSniTrayHost& host = ShownHost();
  QDBusMessage call = QDBusMessage::createMethodCall(TSniTrayHost::ServiceName(1), QStringLiteral("/StatusNotifierItem"),
                                                     QStringLiteral("org.kde.StatusNotifierItem"),
                                                     QStringLiteral("ContextMenu"));
  call.setArguments({1, 2});
  QDBusPendingCallWatcher pending(client_.asyncCall(call, kWaitMs));
  bool answeredInsideMenu = false;
  QObject::connect(&host, &TTrayIconHost::message, [&](int, TTrayMessage message, QPoint) {
    // As a popup menu would: a loop of its own until the panel has its answer.
    if (message == M::kRightDown) answeredInsideMenu = SpinUntil([&] { return pending.isFinished(); });
  });
  ASSERT_TRUE(SpinUntil([&] { return messages_.size() >= 2; }));
  EXPECT_TRUE(answeredInsideMenu);
  EXPECT_EQ(pending.reply().type(), QDBusMessage::ReplyMessage);
}

TEST_F(SniTrayHostTest, AHandlerMayRemoveTheIconThatWasClicked) {
  TSniTrayHost& host = ShownHost();
  QObject::connect(&host, &TTrayIconHost::message, [&](int id, TTrayMessage, QPoint) { host.RemoveIcon(id); });
  CallItem(1, QStringLiteral("Activate"), {1, 1});
  ASSERT_TRUE(SpinUntil([&] { return !messages_.empty(); }));
  // The up of a removed icon is not reported.
  EXPECT_EQ(messages_, (std::vector<TRecordedMessage>{{1, M::kLeftDown, {1, 1}}}));
  EXPECT_FALSE(NameHasOwner(TSniTrayHost::ServiceName(1)));
}

TEST_F(SniTrayHostTest, RemovingAnIconReleasesItsNameAndTheHostsEndReleasesAll) {
  TSniTrayHost& host = ShownHost({1, 2});
  host.RemoveIcon(1);
  host.RemoveIcon(1);  // not there any more: nothing
  host.RemoveIcon(7);
  EXPECT_FALSE(NameHasOwner(TSniTrayHost::ServiceName(1)));
  EXPECT_NE(CallItem(1, QStringLiteral("Activate"), {1, 1}).type(), QDBusMessage::ReplyMessage);
  EXPECT_TRUE(NameHasOwner(TSniTrayHost::ServiceName(2)));
  // The id is free to use again.
  EXPECT_TRUE(host.SetIcon(1, SolidIcon(Qt::blue), {}));
  EXPECT_TRUE(NameHasOwner(TSniTrayHost::ServiceName(1)));

  host_.reset();
  EXPECT_FALSE(NameHasOwner(TSniTrayHost::ServiceName(1)));
  EXPECT_FALSE(NameHasOwner(TSniTrayHost::ServiceName(2)));
}

TEST_F(SniTrayHostTest, WithoutAWatcherNothingIsKept) {
  TSniTrayHost& host = MakeHost();
  EXPECT_FALSE(host.Available());
  EXPECT_FALSE(host.SetIcon(1, SolidIcon(Qt::red), QStringLiteral("tip")));
  EXPECT_FALSE(NameHasOwner(TSniTrayHost::ServiceName(1)));
}

TEST_F(SniTrayHostTest, IdsBelowOneAreRefused) {
  TSniTrayHost& host = ShownHost({});
  EXPECT_FALSE(host.SetIcon(0, SolidIcon(Qt::red), {}));
  EXPECT_FALSE(host.SetIcon(-3, SolidIcon(Qt::red), {}));
}

TEST_F(SniTrayHostTest, WithoutASessionBusItIsNeverAvailableAndDoesNotWait) {
  const QByteArray saved = qgetenv("DBUS_SESSION_BUS_ADDRESS");
  qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
  QElapsedTimer clock;
  clock.start();
  {
    TSniTrayHost host;
    EXPECT_FALSE(host.Available());
    EXPECT_FALSE(host.SetIcon(1, SolidIcon(Qt::red), QStringLiteral("tip")));
    host.RemoveIcon(1);
  }
  EXPECT_LT(clock.elapsed(), 1000);
  if (saved.isNull())
    qunsetenv("DBUS_SESSION_BUS_ADDRESS");
  else
    qputenv("DBUS_SESSION_BUS_ADDRESS", saved);
}

}  // namespace
}  // namespace orvana::app
