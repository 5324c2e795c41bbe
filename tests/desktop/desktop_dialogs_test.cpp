// The dialogs as a person opens them: by their keys in the playlist window,
// found on the screen by their captions, closed with Esc; the captions in the
// language the locale or the settings ask for.
#include <gtest/gtest.h>

#include "desktop_fixture.h"

namespace orvana::testing {
namespace {

TEST_F(DesktopProgram, EachDialogOpensFromItsKeyAndClosesWithEscape) {
  WriteSettings("[ini]\r\nFirst=0\r\n");
  session.UseLocale("ja_JP.UTF-8");
  // Enough songs to fill the list, so that a click in the window's middle
  // lands on one.
  std::vector<std::string> songs;
  for (char name = 'a'; name <= 'p'; ++name) songs.push_back(session.MakeSong(std::string(1, name) + ".mp3"));
  auto program = session.StartProgram(songs);
  const std::string window = session.WaitForWindowId("Orvana - p.mp3", kStartMs);
  ASSERT_FALSE(window.empty());

  struct TDialogKeys {
    std::vector<std::string> keys;
    const char* caption;
  };
  for (const TDialogKeys& dialog : {TDialogKeys{{"o"}, "Orvana - 設定"}, TDialogKeys{{"F1"}, "Orvanaのバージョン情報"},
                                    TDialogKeys{{"alt+3"}, "Orvana - MP3 タグエディター"},
                                    TDialogKeys{{"e"}, "イコライザー"}, TDialogKeys{{"ctrl+f"}, "曲を探す"}}) {
    session.Xdotool({"windowfocus", "--sync", window});
    // Alt+3 shows the selected song: the click selects one.
    if (dialog.keys.front() == "alt+3") session.Xdotool({"mousemove", "--window", window, "100", "160", "click", "1"});
    std::vector<std::string> press{"key", "--delay", "100"};
    press.insert(press.end(), dialog.keys.begin(), dialog.keys.end());
    session.Xdotool(press);
    const std::string shown = session.WaitForWindowId(dialog.caption, kStartMs);
    ASSERT_FALSE(shown.empty()) << dialog.caption << " did not open";
    session.Xdotool({"windowfocus", "--sync", shown});
    session.Xdotool({"key", "Escape"});
    EXPECT_TRUE(session.WaitForWindowGone(dialog.caption, kStartMs)) << dialog.caption << " did not close";
  }
  EXPECT_TRUE(program->Running());
}

// Opens the settings with its key and waits for `caption`.
bool SettingsOpenAs(TDesktopSession& session, const std::string& window, const std::string& caption) {
  session.Xdotool({"windowfocus", "--sync", window});
  session.Xdotool({"key", "o"});
  return !session.WaitForWindowId(caption, kStartMs).empty();
}

// Without a song the window's caption is the state alone.
TEST_F(DesktopProgram, AnEnglishLocaleShowsEnglishCaptions) {
  WriteSettings("[ini]\r\nFirst=0\r\n");
  session.UseLocale("en_US.UTF-8");
  auto program = session.StartProgram({});
  const std::string window = session.WaitForWindowId("Orvana -  <Stopped>", kStartMs);
  ASSERT_FALSE(window.empty());
  EXPECT_TRUE(SettingsOpenAs(session, window, "Orvana - Settings"));
}

TEST_F(DesktopProgram, TheLanguageSettingOverridesTheLocale) {
  WriteSettings("[ini]\r\nFirst=0\r\nLanguage=ja\r\n");
  session.UseLocale("en_US.UTF-8");
  auto program = session.StartProgram({});
  const std::string window = session.WaitForWindowId("Orvana -  <停止中>", kStartMs);
  ASSERT_FALSE(window.empty());
  EXPECT_TRUE(SettingsOpenAs(session, window, "Orvana - 設定"));
}

}  // namespace
}  // namespace orvana::testing
