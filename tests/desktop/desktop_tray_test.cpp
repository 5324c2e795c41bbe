// The program behind its tray icon, clicked as a person clicks it.
#include <gtest/gtest.h>

#include <chrono>
#include <regex>
#include <thread>

#include "desktop_fixture.h"
#include "player/sound/pulse_null_sink.h"
#include "private_session_bus.h"

namespace orvana::testing {
namespace {

// Long enough to tell one click group from the next, short enough for a test.
constexpr int kClickWaitMs = 400;
constexpr int kSongRepeats = 30;  // 36 s: no song ends during a test

void AfterTheClickWait() { std::this_thread::sleep_for(std::chrono::milliseconds(kClickWaitMs + 300)); }

// Songs play in real time into a sound server of the test's own.
class DesktopTray : public DesktopProgram {
 protected:
  void SetUp() override {
    DesktopProgram::SetUp();
    ASSERT_TRUE(sound.Running()) << sound.Failure();
    session.UseLocale("ja_JP.UTF-8");  // the window's captions are read in Japanese
  }

  std::unique_ptr<TChildProcess> StartHiddenWithTwoSongs() {
    WriteSettings("[ini]\r\nForm.Visible=0\r\nFirst=0\r\nTrayIcon.ClickWait=" + std::to_string(kClickWaitMs) +
                  "\r\n");
    return session.StartProgram({session.MakeSong("a.mp3", kSongRepeats), session.MakeSong("b.mp3", kSongRepeats)});
  }
  // The window was hidden, and b.mp3, added last, plays.
  void ExpectTheWindowShownPlayingTheLastSong() {
    EXPECT_TRUE(session.WaitForWindow("Orvana - b.mp3 <再生中>", kStartMs));
    AfterTheClickWait();
  }
  // The next song, round to the first.
  void ExpectTheNextSong() {
    EXPECT_TRUE(session.WaitForWindow("Orvana - a.mp3 <再生中>", kStartMs));
    AfterTheClickWait();
  }
  void ExpectTheProgramEndedAndSaved(TChildProcess& program) {
    int status = -1;
    ASSERT_TRUE(program.WaitForExit(kExitMs, &status));
    EXPECT_EQ(status, 0);
    EXPECT_NE(SettingsFile().find("\r\nForm.Visible=1\r\n"), std::string::npos);
    EXPECT_NE(SettingsFile().find("\r\nIndex=0\r\n"), std::string::npos);
  }

  player::testing::PulseNullSink sound;
};

TEST_F(DesktopTray, ClicksOnTheXEmbedIconRunTheirFunctions) {
  ASSERT_TRUE(session.StartTray(kStartMs));
  auto program = StartHiddenWithTwoSongs();
  const std::string icon = session.WaitForTrayIcon(kStartMs);
  ASSERT_FALSE(icon.empty());
  ASSERT_TRUE(session.WaitForInstanceSocket(kStartMs));
  EXPECT_TRUE(session.WindowNames("Orvana - ", true).empty());

  auto click = [&](const char* button, const char* times) {
    session.Xdotool({"mousemove", "--window", icon, "8", "8", "click", "--repeat", times, "--delay", "60", button});
  };
  click("3", "1");
  ExpectTheWindowShownPlayingTheLastSong();
  click("1", "2");
  ExpectTheNextSong();
  click("3", "3");
  ExpectTheProgramEndedAndSaved(*program);
}

// A StatusNotifierItem host calls Activate (left) and ContextMenu (right)
// once per click.
TEST_F(DesktopTray, CallsOnTheStatusNotifierItemRunTheirFunctions) {
  TPrivateSessionBus bus;
  ASSERT_TRUE(bus.Ready());
  session.UseSessionBus(bus.Address());
  ASSERT_TRUE(session.StartStatusNotifierHost(kStartMs));
  auto program = StartHiddenWithTwoSongs();
  std::string item;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kStartMs);
  while (item.empty() && std::chrono::steady_clock::now() < deadline) {
    const TCommandResult items = RunCommand(
        {"gdbus", "call", "--session", "--dest", "org.kde.StatusNotifierWatcher", "--object-path",
         "/StatusNotifierWatcher", "--method", "org.freedesktop.DBus.Properties.Get", "org.kde.StatusNotifierWatcher",
         "RegisteredStatusNotifierItems"},
        session.Environment(), 5000);
    std::smatch found;
    if (std::regex_search(items.output, found, std::regex("org\\.kde\\.StatusNotifierItem-[0-9]+-1"))) item = found.str();
    if (item.empty()) std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  ASSERT_FALSE(item.empty()) << "the panel never listed Orvana's item";
  ASSERT_TRUE(session.WaitForInstanceSocket(kStartMs));
  EXPECT_TRUE(session.WindowNames("Orvana - ", true).empty());

  // The calls of one group start together: one gdbus after another, a busy
  // machine can start the next later than the click wait, which then counts
  // them as separate clicks.
  auto call = [&](const char* method, int times) {
    std::vector<std::unique_ptr<TChildProcess>> calls;
    for (int call = 0; call < times; ++call)
      calls.push_back(std::make_unique<TChildProcess>(
          std::vector<std::string>{"gdbus", "call", "--session", "--dest", item, "--object-path", "/StatusNotifierItem",
                                   "--method", std::string("org.kde.StatusNotifierItem.") + method, "1000", "10"},
          session.Environment(), session.Folder() + "/calls.log"));
    for (auto& running : calls) {
      int status = -1;
      EXPECT_TRUE(running->WaitForExit(5000, &status));
      EXPECT_EQ(status, 0) << session.ReadFile(session.Folder() + "/calls.log");
    }
  };
  call("ContextMenu", 1);
  ExpectTheWindowShownPlayingTheLastSong();
  call("Activate", 2);
  ExpectTheNextSong();
  call("ContextMenu", 3);
  ExpectTheProgramEndedAndSaved(*program);
}

}  // namespace
}  // namespace orvana::testing
