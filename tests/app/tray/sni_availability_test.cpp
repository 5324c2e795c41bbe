// When the StatusNotifierItem host is available: a watcher on the bus with a
// host registered, followed as panels start late, restart and come and go.
#include <QDBusArgument>
#include <QElapsedTimer>
#include <QPixmap>

#include "app/tray/sni_dbus_types.h"
#include "sni_bus_fixture.h"

namespace orvana::app {
namespace {

QIcon Icon() {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::green);
  return QIcon(pixmap);
}

using SniAvailabilityTest = SniBusTest;

TEST_F(SniAvailabilityTest, AWatcherNeedsARegisteredHost) {
  ASSERT_TRUE(Watcher().Start(false));
  TSniTrayHost& host = MakeHost();
  EXPECT_FALSE(host.Available());
  EXPECT_FALSE(host.SetIcon(1, Icon(), {}));

  Watcher().SetHostRegistered(true);
  ASSERT_TRUE(SpinUntil([&] { return host.Available(); }));
  EXPECT_EQ(availability_, std::vector<bool>{true});
  EXPECT_TRUE(host.SetIcon(1, Icon(), {}));

  // The last host leaves: the watcher's property says so.
  Watcher().SetHostRegistered(false);
  ASSERT_TRUE(SpinUntil([&] { return !host.Available(); }));
  EXPECT_EQ(availability_, (std::vector<bool>{true, false}));
}

TEST_F(SniAvailabilityTest, AHostLeavingWhileAnotherStaysChangesNothing) {
  ASSERT_TRUE(Watcher().Start(true));
  TSniTrayHost& host = MakeHost();
  ASSERT_TRUE(host.Available());
  // The signal only says a host left; the property says others remain.
  Watcher().SignalHostUnregistered();
  // Nothing may change while the host asks the watcher.
  EXPECT_FALSE(testing::SpinUntil([&] { return !availability_.empty(); }, 300));
  EXPECT_TRUE(host.Available());
  EXPECT_TRUE(availability_.empty());
}

TEST_F(SniAvailabilityTest, APanelStartingLateMakesItAvailable) {
  TSniTrayHost& host = MakeHost();
  EXPECT_FALSE(host.Available());
  ASSERT_TRUE(Watcher().Start(true));
  ASSERT_TRUE(SpinUntil([&] { return host.Available(); }));
  EXPECT_EQ(availability_, std::vector<bool>{true});
  EXPECT_TRUE(host.SetIcon(1, Icon(), QStringLiteral("late")));
  EXPECT_TRUE(SpinUntil([&] { return Watcher().RegisteredStatusNotifierItems().size() == 1; }));
}

TEST_F(SniAvailabilityTest, IconsOutliveARestartedPanelAndRegisterWithTheNewOne) {
  ASSERT_TRUE(Watcher().Start(true));
  TSniTrayHost& host = MakeHost();
  ASSERT_TRUE(host.SetIcon(1, Icon(), QStringLiteral("one")));
  ASSERT_TRUE(host.SetIcon(2, Icon(), QStringLiteral("two")));
  ASSERT_TRUE(SpinUntil([&] { return Watcher().RegisteredStatusNotifierItems().size() == 2; }));

  Watcher().Stop();
  ASSERT_TRUE(SpinUntil([&] { return !host.Available(); }));
  EXPECT_EQ(availability_, std::vector<bool>{false});
  // Kept meanwhile: a change lands on the kept icon, but nothing shows it.
  EXPECT_FALSE(host.SetIcon(1, Icon(), QStringLiteral("one, changed")));
  EXPECT_FALSE(host.SetIcon(3, Icon(), QStringLiteral("three")));
  EXPECT_TRUE(NameHasOwner(TSniTrayHost::ServiceName(1)));
  EXPECT_FALSE(NameHasOwner(TSniTrayHost::ServiceName(3)));

  ASSERT_TRUE(Watcher().Start(true));
  ASSERT_TRUE(SpinUntil([&] { return host.Available() && Watcher().RegisteredStatusNotifierItems().size() == 2; }));
  EXPECT_EQ(availability_, (std::vector<bool>{false, true}));
  QStringList items = Watcher().RegisteredStatusNotifierItems();
  items.sort();
  EXPECT_EQ(items, (QStringList{TSniTrayHost::ServiceName(1), TSniTrayHost::ServiceName(2)}));
  const auto tip = qdbus_cast<TSniToolTip>(ItemProperty(1, QStringLiteral("ToolTip")).value<QDBusArgument>());
  EXPECT_EQ(tip.title, QStringLiteral("one, changed"));
}

TEST_F(SniAvailabilityTest, ANameWithoutAWatcherBehindItIsNotAvailable) {
  // Someone holds the name but serves nothing: the question fails at once.
  ASSERT_TRUE(client_.registerService(QStringLiteral("org.kde.StatusNotifierWatcher")));
  QElapsedTimer clock;
  clock.start();
  TSniTrayHost& host = MakeHost();
  EXPECT_LT(clock.elapsed(), 1000);
  EXPECT_FALSE(host.Available());
}

}  // namespace
}  // namespace orvana::app
