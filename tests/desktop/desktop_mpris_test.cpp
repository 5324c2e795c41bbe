// The running program as the desktop's media controls see it: playerctl on
// the session bus, songs playing into a sound server of the test's own.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "desktop_fixture.h"
#include "player/sound/pulse_null_sink.h"
#include "private_session_bus.h"

namespace orvana::testing {
namespace {

constexpr int kSongRepeats = 30;  // 36 s: no song ends during the test

class DesktopMpris : public DesktopProgram {
 protected:
  void SetUp() override {
    DesktopProgram::SetUp();
    ASSERT_TRUE(sound.Running()) << sound.Failure();
    ASSERT_TRUE(bus.Ready());
    session.UseSessionBus(bus.Address());
  }

  TCommandResult Playerctl(const std::vector<std::string>& arguments) {
    std::vector<std::string> argv{"playerctl", "--player=orvana"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    TCommandResult result = RunCommand(argv, session.Environment(), 5000);
    while (!result.output.empty() && result.output.back() == '\n') result.output.pop_back();
    return result;
  }
  // playerctl's answer once it is `expected`, or its last one.
  std::string WaitForPlayerctl(const std::vector<std::string>& arguments, const std::string& expected) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kStartMs);
    std::string answer;
    do {
      answer = Playerctl(arguments).output;
      if (answer == expected) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    } while (std::chrono::steady_clock::now() < deadline);
    return answer;
  }

  // Quit as a media control asks for it; the program must end cleanly.
  void QuitAndWait(TChildProcess& program) {
    const TCommandResult quit =
        RunCommand({"gdbus", "call", "--session", "--dest", "org.mpris.MediaPlayer2.orvana", "--object-path",
                    "/org/mpris/MediaPlayer2", "--method", "org.mpris.MediaPlayer2.Quit"},
                   session.Environment(), 5000);
    EXPECT_EQ(quit.status, 0) << quit.output;
    int status = -1;
    ASSERT_TRUE(program.WaitForExit(kExitMs, &status));
    EXPECT_EQ(status, 0);
  }

  player::testing::PulseNullSink sound;
  TPrivateSessionBus bus;
};

TEST_F(DesktopMpris, PlayerctlControlsTheRunningProgramAndQuitSaves) {
  WriteSettings("[ini]\r\nFirst=0\r\n");
  session.UseLocale("ja_JP.UTF-8");  // the window's captions are read in Japanese
  auto program = session.StartProgram({session.MakeSong("song.mp3", kSongRepeats)});
  ASSERT_TRUE(session.WaitForWindow("Orvana - song.mp3 <再生中>", kStartMs));

  EXPECT_EQ(WaitForPlayerctl({"status"}, "Playing"), "Playing");
  EXPECT_EQ(Playerctl({"metadata", "xesam:url"}).output, "file://" + session.Folder() + "/song.mp3");
  Playerctl({"pause"});
  EXPECT_EQ(WaitForPlayerctl({"status"}, "Paused"), "Paused");
  Playerctl({"stop"});
  EXPECT_TRUE(session.WaitForWindow("Orvana -  <停止中>", kStartMs));

  QuitAndWait(*program);
  EXPECT_NE(ListFile().find("song.mp3"), std::string::npos);
}

// The wheel over the icon in an XEmbed tray (trayer, as no StatusNotifier
// host is on the bus): five steps a notch, up louder; the media controls see
// each change, and the last one is saved.
TEST_F(DesktopMpris, TheWheelOverTheTrayIconStepsTheVolume) {
  ASSERT_TRUE(session.StartTray(kStartMs));
  WriteSettings("[ini]\r\nForm.Visible=0\r\nFirst=0\r\nVolume=50\r\n");
  auto program = session.StartProgram({});
  const std::string icon = session.WaitForTrayIcon(kStartMs);
  ASSERT_FALSE(icon.empty());
  ASSERT_EQ(WaitForPlayerctl({"volume"}, "0.500000"), "0.500000");

  auto turn = [&](const char* button, const char* notches) {
    session.Xdotool({"mousemove", "--window", icon, "8", "8", "click", "--repeat", notches, "--delay", "30", button});
  };
  turn("4", "1");
  EXPECT_EQ(WaitForPlayerctl({"volume"}, "0.550000"), "0.550000");
  turn("5", "3");
  EXPECT_EQ(WaitForPlayerctl({"volume"}, "0.400000"), "0.400000");

  QuitAndWait(*program);
  EXPECT_NE(SettingsFile().find("\r\nVolume=40\r\n"), std::string::npos) << SettingsFile();
}

// Under Wayland the program runs on Qt's Wayland platform, with no X server
// to fall back on. No StatusNotifierItem host is on the bus and XEmbed does
// not exist there: with no tray, the window shows although it was hidden.
TEST_F(DesktopMpris, OnWaylandItRunsNativelyAndWithoutATrayShowsItsWindow) {
  ASSERT_TRUE(session.StartWaylandCompositor(kStartMs)) << session.Log();
  WriteSettings("[ini]\r\nForm.Visible=0\r\nFirst=0\r\n");
  auto program = session.StartProgram({session.MakeSong("song.mp3", kSongRepeats)});

  EXPECT_EQ(WaitForPlayerctl({"status"}, "Playing"), "Playing");
  ASSERT_TRUE(program->Running());
  const TCommandResult second = session.RunProgram({}, kStartMs);  // hands over and ends
  EXPECT_EQ(second.status, 0) << second.output;

  QuitAndWait(*program);
  EXPECT_NE(SettingsFile().find("\r\nForm.Visible=1\r\n"), std::string::npos) << SettingsFile();
}

}  // namespace
}  // namespace orvana::testing
