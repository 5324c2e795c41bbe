// The StatusNotifierItem host with a real panel: lxqt-panel with only its
// status-notifier plugin, on a private X server and bus, started after the
// host so that the host has to notice it. Clicks come both from a bus call
// and from the pointer on the panel's button.
#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QPixmap>
#include <fstream>
#include <memory>
#include <vector>

#include "app/desktop/desktop_test_support.h"
#include "app/tray/sni_tray_host.h"
#include "desktop/private_session_bus.h"
#include "desktop/child_process.h"
#include "desktop/private_display.h"
#include "desktop/x_tools.h"
#include "qt_test_application.h"

namespace orvana::app {
namespace {

using orvana::testing::TChildProcess;
using orvana::testing::TPrivateDisplay;
using orvana::testing::TPrivateSessionBus;
using M = TTrayMessage;

constexpr int kPanelMs = 20000;  // generous: the sanitizer builds start slowly
constexpr int kCallMs = 5000;

struct TRecorded {
  TTrayMessage message;
  QPoint at;
};

class SniLxqtPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    orvana::testing::TestApplication();
    ASSERT_TRUE(bus_.Ready()) << "no private bus";
    ASSERT_TRUE(display_.Ready()) << "no private X server";
    client_ = QDBusConnection::connectToBus(QString::fromStdString(bus_.Address()), QStringLiteral("lxqt-test-client"));
    ASSERT_TRUE(client_.isConnected());
  }

  void TearDown() override {
    if (HasFailure()) {
      std::ifstream log(bus_.Folder() + "/panel.log");
      std::printf("--- lxqt-panel output:\n%s\n", std::string(std::istreambuf_iterator<char>(log), {}).c_str());
    }
    host_.reset();
    panel_.reset();
    client_ = QDBusConnection(QString());
    QDBusConnection::disconnectFromBus(QStringLiteral("lxqt-test-client"));
  }

  std::vector<std::string> Environment() const {
    std::vector<std::string> environment = bus_.Environment();
    environment.insert(environment.end(),
                       {"DISPLAY=" + display_.Name(), "QT_QPA_PLATFORM=xcb", "LANG=C.UTF-8", "ASAN_OPTIONS=detect_leaks=0"});
    return environment;
  }

  void StartPanel() {
    panel_ = orvana::testing::StartStatusNotifierPanel(Environment(), bus_.Folder());
  }

  // The panel's watcher's list of items, read without blocking the loop
  // (the panel reads our item meanwhile).
  QStringList RegisteredItems() {
    QDBusMessage get = QDBusMessage::createMethodCall(
        QStringLiteral("org.kde.StatusNotifierWatcher"), QStringLiteral("/StatusNotifierWatcher"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << QStringLiteral("org.kde.StatusNotifierWatcher") << QStringLiteral("RegisteredStatusNotifierItems");
    QDBusPendingCallWatcher pending(client_.asyncCall(get, kCallMs));
    testing::SpinUntil([&] { return pending.isFinished(); }, kCallMs);
    if (!pending.isFinished() || pending.reply().arguments().isEmpty()) return {};
    return pending.reply().arguments().first().value<QDBusVariant>().variant().toStringList();
  }

  bool ItemListed() {
    for (const QString& item : RegisteredItems())
      if (item.startsWith(TSniTrayHost::ServiceName(1))) return true;
    return false;
  }

  bool WaitForMessages(std::size_t count, int timeoutMs = kCallMs) {
    return testing::SpinUntil([&] { return messages_.size() >= count; }, timeoutMs);
  }

  // A command that may call into this process: the loop runs meanwhile.
  int RunAlongside(const std::vector<std::string>& argv) {
    TChildProcess command(argv, Environment(), bus_.Folder() + "/commands.log");
    int status = -1;
    testing::SpinUntil([&] { return !command.Running(); }, kCallMs);
    command.WaitForExit(100, &status);
    return status;
  }

  TPrivateSessionBus bus_;
  TPrivateDisplay display_{bus_.Folder() + "/xvfb.log", "640x480x24"};
  QDBusConnection client_{QString()};
  std::unique_ptr<TChildProcess> panel_;
  std::unique_ptr<TSniTrayHost> host_;
  std::vector<TRecorded> messages_;
};

TEST_F(SniLxqtPanelTest, APanelStartedLaterShowsTheIconAndPassesItsClicks) {
  host_ = std::make_unique<TSniTrayHost>(QString::fromStdString(bus_.Address()));
  EXPECT_FALSE(host_->Available());
  QObject::connect(host_.get(), &TTrayIconHost::message,
                   [this](int, TTrayMessage message, QPoint at) { messages_.push_back({message, at}); });

  StartPanel();
  ASSERT_TRUE(testing::SpinUntil([&] { return host_->Available(); }, kPanelMs)) << "the panel's watcher never came";
  QPixmap picture(22, 22);
  picture.fill(Qt::darkCyan);
  ASSERT_TRUE(host_->SetIcon(1, QIcon(picture), QStringLiteral("Orvana")));
  ASSERT_TRUE(testing::SpinUntil([&] { return ItemListed(); }, kPanelMs)) << "the item was never listed";

  // As another program on the bus would call it.
  EXPECT_EQ(RunAlongside({"gdbus", "call", "--session", "--dest", TSniTrayHost::ServiceName(1).toStdString(),
                          "--object-path", "/StatusNotifierItem", "--method",
                          "org.kde.StatusNotifierItem.Activate", "12", "34"}),
            0);
  ASSERT_TRUE(WaitForMessages(2));
  EXPECT_EQ(messages_[0].message, M::kLeftDown);
  EXPECT_EQ(messages_[1].message, M::kLeftUp);
  EXPECT_EQ(messages_[1].at, QPoint(12, 34));


  // The pointer on the panel's button (the only one, at the left end).
  // The panel makes the button once it has read the item: the first click
  // is tried until the button is there.
  messages_.clear();
  const std::vector<std::string> leftClick{"xdotool", "mousemove", "16", "16", "click", "1"};
  for (int attempt = 0; attempt < 10 && messages_.empty(); ++attempt) {
    ASSERT_EQ(RunAlongside(leftClick), 0);
    WaitForMessages(2, 500);
  }
  ASSERT_TRUE(WaitForMessages(2));
  EXPECT_EQ(messages_[0].message, M::kLeftDown);
  EXPECT_EQ(messages_[0].at, QPoint(16, 16));
  EXPECT_EQ(messages_[1].message, M::kLeftUp);

  // Without a Menu property the panel asks for the menu with ContextMenu.
  ASSERT_EQ(RunAlongside({"xdotool", "click", "3"}), 0);
  ASSERT_TRUE(WaitForMessages(4));
  EXPECT_EQ(messages_[2].message, M::kRightDown);
  EXPECT_EQ(messages_[3].message, M::kRightUp);
  EXPECT_EQ(messages_[3].at, QPoint(16, 16));

  ASSERT_EQ(RunAlongside({"xdotool", "click", "2"}), 0);
  ASSERT_TRUE(WaitForMessages(6));
  EXPECT_EQ(messages_[4].message, M::kMiddleDown);
  EXPECT_EQ(messages_[5].message, M::kMiddleUp);

  // A double click is two clicks here; telling them apart is for the tray.
  ASSERT_EQ(RunAlongside({"xdotool", "click", "--repeat", "2", "--delay", "80", "1"}), 0);
  ASSERT_TRUE(WaitForMessages(10));
  for (std::size_t i = 6; i < 10; ++i)
    EXPECT_EQ(messages_[i].message, i % 2 == 0 ? M::kLeftDown : M::kLeftUp) << i;
  EXPECT_FALSE(WaitForMessages(11, 300));
}

}  // namespace
}  // namespace orvana::app
