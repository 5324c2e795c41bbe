// The XEmbed back end against a real tray: trayer on a private Xvfb, the
// pointer driven with xdotool.
#include "app/tray/xembed_tray_host.h"

#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <QApplication>
#include <QEventLoop>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <QToolTip>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <ostream>
#include <sstream>

#include "tray_display.h"

namespace orvana::app {
namespace {

using testing::TTrayDisplay;
using M = TTrayMessage;
using Clock = std::chrono::steady_clock;

// One X server and one QApplication for the executable: made when tests run
// (not while CTest lists them) and taken down before exit, the application
// before its server.
class TTrayEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    display = new TTrayDisplay;
    if (!display->Ready()) return;
    for (const std::string& entry : display->Environment()) {
      const std::size_t equals = entry.find('=');
      const std::string name = entry.substr(0, equals);
      if (name != "PATH") ::setenv(name.c_str(), entry.c_str() + equals + 1, 1);
    }
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);
    static int argc = 1;
    static char name[] = "orvana-tray-tests";
    static char* argv[] = {name, nullptr};
    application = new QApplication(argc, argv);
  }
  void TearDown() override {
    delete application;
    application = nullptr;
    delete display;
    display = nullptr;
  }

  static inline TTrayDisplay* display = nullptr;
  static inline QApplication* application = nullptr;
};
[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new TTrayEnvironment);

xcb_connection_t* Connection() {
  return qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
}

xcb_window_t Root() { return xcb_setup_roots_iterator(xcb_get_setup(Connection())).data->root; }

void Spin(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

bool SpinUntil(const std::function<bool()>& done, int timeoutMs) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!done()) {
    if (Clock::now() >= deadline) return false;
    Spin(20);
  }
  return true;
}

bool TrayOwned() {
  const char name[] = "_NET_SYSTEM_TRAY_S0";
  xcb_intern_atom_reply_t* atom =
      xcb_intern_atom_reply(Connection(), xcb_intern_atom(Connection(), 0, sizeof name - 1, name), nullptr);
  if (atom == nullptr) return false;
  xcb_get_selection_owner_reply_t* owner =
      xcb_get_selection_owner_reply(Connection(), xcb_get_selection_owner(Connection(), atom->atom), nullptr);
  const bool owned = owner != nullptr && owner->owner != XCB_NONE;
  std::free(owner);
  std::free(atom);
  return owned;
}

// The program's windows, as a user's tool finds them.
std::vector<xcb_window_t> OrvanaWindows(bool visibleOnly) {
  std::vector<std::string> arguments{"search"};
  if (visibleOnly) arguments.push_back("--onlyvisible");
  arguments.insert(arguments.end(), {"--class", "^Orvana$"});
  std::istringstream lines(TTrayEnvironment::display->Xdotool(arguments).output);
  std::vector<xcb_window_t> windows;
  for (unsigned long id = 0; lines >> id;) windows.push_back(static_cast<xcb_window_t>(id));
  return windows;
}

// Mapped, and inside some other window: the tray's.
bool Docked(xcb_window_t window) {
  xcb_query_tree_reply_t* tree = xcb_query_tree_reply(Connection(), xcb_query_tree(Connection(), window), nullptr);
  xcb_get_window_attributes_reply_t* attributes =
      xcb_get_window_attributes_reply(Connection(), xcb_get_window_attributes(Connection(), window), nullptr);
  const bool docked = tree != nullptr && tree->parent != Root() && attributes != nullptr &&
                      attributes->map_state == XCB_MAP_STATE_VIEWABLE;
  std::free(tree);
  std::free(attributes);
  return docked;
}

// Waits until `count` windows of the program sit in the tray; empty if not.
std::vector<xcb_window_t> WaitForDocked(std::size_t count) {
  std::vector<xcb_window_t> windows;
  SpinUntil(
      [&] {
        windows = OrvanaWindows(true);
        if (windows.size() != count) return false;
        for (xcb_window_t window : windows)
          if (!Docked(window)) return false;
        return true;
      },
      5000);
  return windows.size() == count ? windows : std::vector<xcb_window_t>{};
}

QPoint ScreenOf(xcb_window_t window, int x, int y) {
  xcb_translate_coordinates_reply_t* reply = xcb_translate_coordinates_reply(
      Connection(), xcb_translate_coordinates(Connection(), window, Root(), std::int16_t(x), std::int16_t(y)), nullptr);
  const QPoint at = reply != nullptr ? QPoint(reply->dst_x, reply->dst_y) : QPoint(-1, -1);
  std::free(reply);
  return at;
}

QSize SizeOf(xcb_window_t window) {
  xcb_get_geometry_reply_t* reply = xcb_get_geometry_reply(Connection(), xcb_get_geometry(Connection(), window), nullptr);
  const QSize size = reply != nullptr ? QSize(reply->width, reply->height) : QSize();
  std::free(reply);
  return size;
}

// The colour on screen at (x, y) of a window on the 24-bit screen.
std::uint32_t PixelAt(xcb_window_t window, int x, int y) {
  xcb_get_image_reply_t* image = xcb_get_image_reply(
      Connection(),
      xcb_get_image(Connection(), XCB_IMAGE_FORMAT_Z_PIXMAP, window, std::int16_t(x), std::int16_t(y), 1, 1, ~0u),
      nullptr);
  std::uint32_t pixel = 0xFFFFFFFF;
  if (image != nullptr && xcb_get_image_data_length(image) >= 4) {
    const std::uint8_t* data = xcb_get_image_data(image);
    pixel = std::uint32_t(data[0]) | std::uint32_t(data[1]) << 8 | std::uint32_t(data[2]) << 16;
  }
  std::free(image);
  return pixel;
}

// A square of `colour` in the middle, transparent around it.
QIcon Square(QColor colour) {
  QPixmap picture(32, 32);
  picture.fill(Qt::transparent);
  QPainter(&picture).fillRect(8, 8, 16, 16, colour);
  return QIcon(picture);
}

struct TRecorded {
  int id;
  M message;
  QPoint at;
  bool operator==(const TRecorded&) const = default;
};

void PrintTo(const TRecorded& recorded, std::ostream* out) {
  *out << "{icon " << recorded.id << ", message " << int(recorded.message) << ", at " << recorded.at.x() << ","
       << recorded.at.y() << "}";
}

class TMessageLog {
 public:
  explicit TMessageLog(TTrayIconHost& host) {
    QObject::connect(&host, &TTrayIconHost::message,
                     [this](int id, M message, QPoint at) { all.push_back({id, message, at}); });
  }
  std::vector<TRecorded> Buttons() const {
    std::vector<TRecorded> buttons;
    for (const TRecorded& recorded : all)
      if (recorded.message != M::kMouseMove) buttons.push_back(recorded);
    return buttons;
  }
  bool MovedTo(int id, QPoint at) const {
    for (const TRecorded& recorded : all)
      if (recorded == TRecorded{id, M::kMouseMove, at}) return true;
    return false;
  }

  std::vector<TRecorded> all;
};

class XEmbedTrayHostOnX11 : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(TTrayEnvironment::application, nullptr) << "no private X server";
    ASSERT_FALSE(TrayOwned());
  }
  void TearDown() override {
    if (TTrayEnvironment::display == nullptr) return;
    Display().StopTray();
    EXPECT_TRUE(SpinUntil([] { return !TrayOwned(); }, 3000));
  }

  static TTrayDisplay& Display() { return *TTrayEnvironment::display; }

  static void StartTray() {
    Display().StartTray();
    ASSERT_TRUE(SpinUntil(TrayOwned, 5000)) << "trayer did not take the tray";
  }

  // Moves to (x, y) in `window`, runs the xdotool clicks there, and returns
  // the button messages once `expected` of them came (and a moment more,
  // for any surplus).
  static std::vector<TRecorded> ClickAt(TMessageLog& log, xcb_window_t window, int x, int y,
                                        const std::vector<std::string>& clicks, std::size_t expected) {
    log.all.clear();
    std::vector<std::string> arguments{"mousemove", "--window", std::to_string(window), std::to_string(x),
                                       std::to_string(y)};
    arguments.insert(arguments.end(), clicks.begin(), clicks.end());
    Display().Xdotool(arguments);
    SpinUntil([&] { return log.Buttons().size() >= expected; }, 3000);
    Spin(100);
    return log.Buttons();
  }
};

TEST_F(XEmbedTrayHostOnX11, WithoutATrayNothingIsShown) {
  TXEmbedTrayHost host;
  EXPECT_FALSE(host.Available());
  EXPECT_FALSE(host.SetIcon(1, Square(Qt::red), "Orvana"));
  Spin(100);
  EXPECT_TRUE(OrvanaWindows(false).empty());
}

TEST_F(XEmbedTrayHostOnX11, DocksPaintsAndShowsTheTip) {
  StartTray();
  {
    TXEmbedTrayHost host;
    EXPECT_TRUE(host.Available());
    ASSERT_TRUE(host.SetIcon(1, Square(Qt::red), "Orvana - first"));
    const std::vector<xcb_window_t> docked = WaitForDocked(1);
    ASSERT_EQ(docked.size(), 1u);
    const xcb_window_t icon = docked[0];
    const QSize size = SizeOf(icon);
    EXPECT_GE(size.width(), 22);
    EXPECT_GE(size.height(), 22);

    // The picture in the middle, the tray's own background around it.
    EXPECT_TRUE(SpinUntil([&] { return PixelAt(icon, size.width() / 2, size.height() / 2) == 0xFF0000; }, 3000));
    EXPECT_NE(PixelAt(icon, 0, 0), 0xFF0000u);
    ASSERT_TRUE(host.SetIcon(1, Square(Qt::blue), "Orvana - second"));
    EXPECT_TRUE(SpinUntil([&] { return PixelAt(icon, size.width() / 2, size.height() / 2) == 0x0000FF; }, 3000));
    EXPECT_NE(PixelAt(icon, 0, 0), 0x0000FFu);
    EXPECT_EQ(OrvanaWindows(false), docked);  // changed in place

    // The tip once the pointer rests, away when it leaves.
    Display().Xdotool({"mousemove", "--window", std::to_string(icon), "5", "5"});
    EXPECT_TRUE(SpinUntil([] { return QToolTip::isVisible(); }, 3000));
    EXPECT_EQ(QToolTip::text(), "Orvana - second");
    Display().Xdotool({"mousemove", "300", "300"});
    EXPECT_TRUE(SpinUntil([] { return !QToolTip::isVisible(); }, 3000));

    // A second icon without a tip shows none; removing the first leaves it.
    ASSERT_TRUE(host.SetIcon(2, Square(Qt::green), ""));
    const std::vector<xcb_window_t> both = WaitForDocked(2);
    ASSERT_EQ(both.size(), 2u);
    const xcb_window_t second = both[0] == icon ? both[1] : both[0];
    Display().Xdotool({"mousemove", "--window", std::to_string(second), "5", "5"});
    Spin(800);
    EXPECT_FALSE(QToolTip::isVisible());
    host.RemoveIcon(1);
    EXPECT_TRUE(SpinUntil([&] { return OrvanaWindows(false) == std::vector<xcb_window_t>{second}; }, 3000));
  }
  // The host takes its icons with it.
  EXPECT_TRUE(SpinUntil([] { return OrvanaWindows(false).empty(); }, 3000));
}

TEST_F(XEmbedTrayHostOnX11, ReportsClicksWhereTheyHappen) {
  StartTray();
  TXEmbedTrayHost host;
  TMessageLog log(host);
  ASSERT_TRUE(host.SetIcon(1, Square(Qt::red), ""));
  const std::vector<xcb_window_t> first = WaitForDocked(1);
  ASSERT_EQ(first.size(), 1u);
  ASSERT_TRUE(host.SetIcon(2, Square(Qt::green), ""));
  const std::vector<xcb_window_t> both = WaitForDocked(2);
  ASSERT_EQ(both.size(), 2u);
  const xcb_window_t one = first[0];
  const xcb_window_t two = both[0] == one ? both[1] : both[0];

  const QPoint at = ScreenOf(one, 5, 5);
  EXPECT_EQ(ClickAt(log, one, 5, 5, {"click", "1"}, 2),
            (std::vector<TRecorded>{{1, M::kLeftDown, at}, {1, M::kLeftUp, at}}));
  EXPECT_TRUE(log.MovedTo(1, at));

  EXPECT_EQ(ClickAt(log, one, 5, 5, {"click", "--repeat", "2", "--delay", "50", "3"}, 4),
            (std::vector<TRecorded>{{1, M::kRightDown, at},
                                    {1, M::kRightUp, at},
                                    {1, M::kRightDoubleClick, at},
                                    {1, M::kRightUp, at}}));

  const QPoint elsewhere = ScreenOf(one, 10, 3);
  EXPECT_EQ(ClickAt(log, one, 10, 3, {"click", "--repeat", "3", "--delay", "50", "1"}, 6),
            (std::vector<TRecorded>{{1, M::kLeftDown, elsewhere},
                                    {1, M::kLeftUp, elsewhere},
                                    {1, M::kLeftDoubleClick, elsewhere},
                                    {1, M::kLeftUp, elsewhere},
                                    {1, M::kLeftDown, elsewhere},
                                    {1, M::kLeftUp, elsewhere}}));
  EXPECT_TRUE(log.MovedTo(1, elsewhere));

  // The wheel says nothing; the middle button never double-clicks.
  EXPECT_EQ(ClickAt(log, one, 10, 3, {"click", "4", "click", "5", "click", "--repeat", "2", "--delay", "50", "2"}, 4),
            (std::vector<TRecorded>{{1, M::kMiddleDown, elsewhere},
                                    {1, M::kMiddleUp, elsewhere},
                                    {1, M::kMiddleDown, elsewhere},
                                    {1, M::kMiddleUp, elsewhere}}));

  const QPoint onTwo = ScreenOf(two, 4, 6);
  EXPECT_NE(onTwo, ScreenOf(one, 4, 6));
  EXPECT_EQ(ClickAt(log, two, 4, 6, {"click", "1"}, 2),
            (std::vector<TRecorded>{{2, M::kLeftDown, onTwo}, {2, M::kLeftUp, onTwo}}));
}

TEST_F(XEmbedTrayHostOnX11, FollowsATrayThatComesGoesAndComesBack) {
  TXEmbedTrayHost host;
  std::vector<bool> changes;
  QObject::connect(&host, &TTrayIconHost::availabilityChanged, [&](bool available) { changes.push_back(available); });
  EXPECT_FALSE(host.SetIcon(1, Square(Qt::red), "Orvana"));

  // A tray that starts later: available, and the refused icon was not kept.
  StartTray();
  ASSERT_TRUE(SpinUntil([&] { return !changes.empty(); }, 5000));
  EXPECT_EQ(changes, std::vector<bool>{true});
  EXPECT_TRUE(host.Available());
  Spin(200);
  EXPECT_TRUE(OrvanaWindows(false).empty());
  ASSERT_TRUE(host.SetIcon(1, Square(Qt::red), "Orvana"));
  ASSERT_EQ(WaitForDocked(1).size(), 1u);

  // The tray crashes, then one ends as at a logout: unavailable each time,
  // no window of ours left behind, and each new tray gets the kept icon
  // without being asked.
  for (const bool crash : {true, false}) {
    SCOPED_TRACE(crash ? "crash" : "logout");
    const std::size_t before = changes.size();
    crash ? Display().KillTray() : Display().StopTray();
    ASSERT_TRUE(SpinUntil([&] { return changes.size() == before + 1; }, 5000));
    EXPECT_FALSE(changes.back());
    EXPECT_FALSE(host.Available());
    Spin(200);
    EXPECT_TRUE(OrvanaWindows(false).empty());

    StartTray();
    ASSERT_TRUE(SpinUntil([&] { return changes.size() == before + 2; }, 5000));
    EXPECT_TRUE(changes.back());
    EXPECT_EQ(WaitForDocked(1).size(), 1u);
    EXPECT_EQ(OrvanaWindows(false).size(), 1u);
  }
}

}  // namespace
}  // namespace orvana::app
