// The program behind its tray icon, clicked as a person clicks it.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "desktop_fixture.h"
#include "player/sound/pulse_null_sink.h"

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
  }
  player::testing::PulseNullSink sound;
};

TEST_F(DesktopTray, ClicksOnTheXEmbedIconRunTheirFunctions) {
  ASSERT_TRUE(session.StartTray(kStartMs));
  WriteSettings("[ini]\r\nForm.Visible=0\r\nFirst=0\r\nTrayIcon.ClickWait=" + std::to_string(kClickWaitMs) + "\r\n");
  auto program = session.StartProgram({session.MakeSong("a.mp3", kSongRepeats),
                                       session.MakeSong("b.mp3", kSongRepeats)});
  const std::string icon = session.WaitForTrayIcon(kStartMs);
  ASSERT_FALSE(icon.empty());
  ASSERT_TRUE(session.WaitForInstanceSocket(kStartMs));
  EXPECT_TRUE(session.WindowNames("Orvana - ", true).empty());

  // A right click shows the window; b.mp3, added last, plays.
  session.Xdotool({"mousemove", "--window", icon, "8", "8", "click", "3"});
  EXPECT_TRUE(session.WaitForWindow("Orvana - b.mp3 <再生中>", kStartMs));
  AfterTheClickWait();

  // A left double click: the next song, round to the first.
  session.Xdotool({"mousemove", "--window", icon, "8", "8", "click", "--repeat", "2", "--delay", "60", "1"});
  EXPECT_TRUE(session.WaitForWindow("Orvana - a.mp3 <再生中>", kStartMs));
  AfterTheClickWait();

  // A right triple click ends the program, which saves.
  session.Xdotool({"mousemove", "--window", icon, "8", "8", "click", "--repeat", "3", "--delay", "60", "3"});
  int status = -1;
  ASSERT_TRUE(program->WaitForExit(kExitMs, &status));
  EXPECT_EQ(status, 0);
  EXPECT_NE(SettingsFile().find("\r\nForm.Visible=1\r\n"), std::string::npos);
  EXPECT_NE(SettingsFile().find("\r\nIndex=0\r\n"), std::string::npos);
}

}  // namespace
}  // namespace orvana::testing
