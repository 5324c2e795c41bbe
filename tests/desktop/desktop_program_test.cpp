// The program as a person meets it: started on a real X server with files on
// its command line, handed a file by a second start, ended by the desktop.
#include <gtest/gtest.h>
#include <signal.h>

#include "crlf_lines.h"
#include "desktop_fixture.h"

namespace orvana::testing {
namespace {

TEST_F(DesktopProgram, PlaysItsArgumentsTakesASecondStartsFileAndSavesOnSigterm) {
  const std::string first = session.MakeSong("first.mp3");
  const std::string second = session.MakeSong("second.mp3");
  session.MakeSong("third.mp3");
  auto program = session.StartProgram({first, second});
  // The last file added plays, and the caption says so.
  ASSERT_TRUE(session.WaitForWindow("Orvana - second.mp3", kStartMs));

  // A second start with a name relative to its folder hands it over and ends.
  const TCommandResult handOver = session.RunProgram({"third.mp3"}, 5000);
  EXPECT_EQ(handOver.status, 0) << handOver.output;
  EXPECT_TRUE(session.WaitForWindow("Orvana - third.mp3", kStartMs));
  EXPECT_TRUE(program->Running());

  program->Signal(SIGTERM);
  int status = -1;
  ASSERT_TRUE(program->WaitForExit(kExitMs, &status));
  EXPECT_EQ(status, 0);

  const std::vector<std::string> list = CrLfLines(ListFile());
  ASSERT_EQ(list.size(), 30u);
  for (int item = 0; item < 3; ++item) {
    const char* name[] = {"first.mp3", "second.mp3", "third.mp3"};
    EXPECT_EQ(list[std::size_t(item) * 10], name[item]);
    EXPECT_EQ(list[std::size_t(item) * 10 + 1], "8");
    // The songs that played know their length.
    EXPECT_EQ(list[std::size_t(item) * 10 + 5], item == 0 ? "--:--" : "00:01");
    EXPECT_EQ(list[std::size_t(item) * 10 + 9], session.Folder() + "/" + name[item]);
  }
  const std::vector<std::string> settings = CrLfLines(SettingsFile());
  ASSERT_GE(settings.size(), 5u);
  EXPECT_EQ(settings[0], "[ini]");
  EXPECT_EQ(settings[1], "Form.Left=32");
  EXPECT_EQ(settings[2], "Form.Top=32");
  EXPECT_EQ(settings[3], "Form.ClientWidth=560");
  EXPECT_EQ(settings[4], "Form.ClientHeight=320");
  const std::string text = SettingsFile();
  EXPECT_NE(text.find("\r\nForm.Visible=1\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nIndex=2\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nTrayIcon.ClickWait=1000\r\n"), std::string::npos);
}

TEST_F(DesktopProgram, AKilledProgramDoesNotBlockTheNextStart) {
  auto killed = session.StartProgram({});
  ASSERT_TRUE(session.WaitForWindow("Orvana - ", kStartMs));
  killed->Kill();  // leaves its socket file behind

  auto next = session.StartProgram({session.MakeSong("after.mp3")});
  EXPECT_TRUE(session.WaitForWindow("Orvana - after.mp3", kStartMs));
  EXPECT_TRUE(next->Running());
}

TEST_F(DesktopProgram, HiddenAtExitStartsBehindItsIconAndASecondStartShowsIt) {
  ASSERT_TRUE(session.StartTray(kStartMs));
  WriteSettings("[ini]\r\nForm.Visible=0\r\nFirst=0\r\n");
  auto program = session.StartProgram({});
  ASSERT_TRUE(session.WaitForInstanceSocket(kStartMs));
  ASSERT_FALSE(session.WaitForTrayIcon(kStartMs).empty());
  EXPECT_TRUE(session.WindowNames("Orvana - ", true).empty());
  // With no arguments, a second start brings the window to the front.
  const TCommandResult handOver = session.RunProgram({}, 5000);
  ASSERT_EQ(handOver.status, 0) << handOver.output;
  EXPECT_TRUE(session.WaitForWindow("Orvana - ", kStartMs));

  program->Signal(SIGTERM);
  ASSERT_TRUE(program->WaitForExit(kExitMs));
  EXPECT_NE(SettingsFile().find("\r\nForm.Visible=1\r\n"), std::string::npos);
  EXPECT_NE(SettingsFile().find("\r\nFirst=0\r\n"), std::string::npos);
}

TEST_F(DesktopProgram, WithoutATrayAHiddenWindowShowsAnyway) {
  WriteSettings("[ini]\r\nForm.Visible=0\r\nFirst=0\r\n");
  auto program = session.StartProgram({});
  EXPECT_TRUE(session.WaitForWindow("Orvana - ", kStartMs));
}

}  // namespace
}  // namespace orvana::testing
