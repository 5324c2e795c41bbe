// Timed lyrics: the tags a line may start with, the file beside the song, and
// which line is sung when.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "app/lyrics/lyrics.h"

namespace orvana::app {
namespace {

TEST(ParseLyricLine, ShortAndLongTags) {
  TLyricLine line = ParseLyricLine("[01:02]hello");
  EXPECT_EQ(line.Time, 62000);
  EXPECT_EQ(line.Text, "hello");
  line = ParseLyricLine("[01:02.50]hello");
  EXPECT_EQ(line.Time, 62500);
  EXPECT_EQ(line.Text, "hello");
  // The separators are not looked at; a part that is not a number counts 0.
  EXPECT_EQ(ParseLyricLine("[99x59y99]").Time, 99 * 60000 + 59000 + 990);
  EXPECT_EQ(ParseLyricLine("[ab:05]x").Time, 5000);
  EXPECT_EQ(ParseLyricLine("[-1:05]x").Time, 5000);
}

TEST(ParseLyricLine, WhatIsNoTag) {
  for (const char* text : {"[1:02]x", "[01:02:3]x", "[01:02", "01:02]x", "[01:0]", "", "[", "[123456789012]"}) {
    const TLyricLine line = ParseLyricLine(text);
    EXPECT_EQ(line.Time, -1) << text;
    EXPECT_EQ(line.Text, text);
  }
  // Seven characters with nothing after the tag: a time and an empty text.
  const TLyricLine bare = ParseLyricLine("[00:07]");
  EXPECT_EQ(bare.Time, 7000);
  EXPECT_EQ(bare.Text, "");
}

TEST(LyricsPath, TheExtensionIsReplaced) {
  EXPECT_EQ(LyricsPath("/m/song.mp3"), "/m/song.txt");
  EXPECT_EQ(LyricsPath("/m/a.b/song"), "/m/a.b/song.txt");
  EXPECT_EQ(LyricsPath("/m/x.y.MP3"), "/m/x.y.txt");
}

class Lyrics : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = std::filesystem::temp_directory_path().string() + "/orvana-lyrics-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(folder); }
  // The lyrics of a song named song.mp3, whose file need not exist.
  std::string SongWithLyrics(const std::string& bytes) {
    std::ofstream(folder + "/song.txt", std::ios::binary) << bytes;
    return folder + "/song.mp3";
  }

  std::string folder;
  TLyrics lyrics;
};

TEST_F(Lyrics, EntriesAndLinesKeepTheFileOrder) {
  ASSERT_TRUE(lyrics.LoadLyrics(SongWithLyrics("Title\r\n[00:00]one\r\n[00:05]two\n\n[00:09]three")));
  EXPECT_EQ(lyrics.Lines(), (std::vector<std::string>{"Title", "one", "two", "", "three"}));
  ASSERT_EQ(lyrics.Entries().size(), 3u);
  EXPECT_EQ(lyrics.LyricAt(-1), "");
  EXPECT_EQ(lyrics.LyricAt(4999), "one");
  EXPECT_EQ(lyrics.LyricAt(5000), "two");
  EXPECT_EQ(lyrics.LyricAt(60000), "three");
}

TEST_F(Lyrics, ATagBackInTimeEndsTheWalk) {
  ASSERT_TRUE(lyrics.LoadLyrics(SongWithLyrics("[00:10]late\r\n[00:01]early\r\n[00:20]last\r\n")));
  EXPECT_EQ(lyrics.LyricAt(5000), "");  // "early" lies behind a later tag
  EXPECT_EQ(lyrics.LyricAt(15000), "early");
  EXPECT_EQ(lyrics.LyricAt(25000), "last");
}

TEST_F(Lyrics, MissingEmptyAndUnreadableFiles) {
  ASSERT_TRUE(lyrics.LoadLyrics(SongWithLyrics("[00:01]x")));
  EXPECT_FALSE(lyrics.LoadLyrics(folder + "/other.mp3"));
  EXPECT_TRUE(lyrics.Lines().empty());  // the last song's lyrics are gone
  EXPECT_EQ(lyrics.LyricAt(5000), "");
  EXPECT_TRUE(lyrics.LoadLyrics(SongWithLyrics("")));
  EXPECT_TRUE(lyrics.Lines().empty());
  std::filesystem::create_directory(folder + "/folder.txt");
  EXPECT_FALSE(lyrics.LoadLyrics(folder + "/folder.mp3"));
}

TEST_F(Lyrics, TextsFromJapaneseWindowsAndFromEditorsWithAMark) {
  // "歌" in CP932, then the same in UTF-8 behind a byte-order mark.
  ASSERT_TRUE(lyrics.LoadLyrics(SongWithLyrics("[00:01]\x89\xCC")));
  EXPECT_EQ(lyrics.LyricAt(1000), "歌");
  ASSERT_TRUE(lyrics.LoadLyrics(SongWithLyrics("\xEF\xBB\xBF[00:01]歌")));
  EXPECT_EQ(lyrics.LyricAt(1000), "歌");
}

}  // namespace
}  // namespace orvana::app
