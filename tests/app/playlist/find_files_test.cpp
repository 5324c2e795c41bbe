#include "app/playlist/find_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "app/playlist/file_mask.h"
#include "playlist_test_support.h"

namespace orvana::app {
namespace {

using testing::TTempFolder;
using Names = std::vector<std::string>;

TEST(FileMask, PatternsMatchLikeFileDialogs) {
  EXPECT_TRUE(MatchesPattern("a.mp3", "*.mp3"));
  EXPECT_TRUE(MatchesPattern("A.MP3", "*.mp3"));
  EXPECT_TRUE(MatchesPattern(".mp3", "*.mp3"));
  EXPECT_FALSE(MatchesPattern("a.mp3x", "*.mp3"));
  EXPECT_FALSE(MatchesPattern("a.mp", "*.mp3"));
  EXPECT_TRUE(MatchesPattern("a.b.mp3", "*.mp3"));
  EXPECT_TRUE(MatchesPattern("abcabd", "*abd"));  // a star that must give back
  EXPECT_TRUE(MatchesPattern("x", "*"));
  EXPECT_TRUE(MatchesPattern("日.mp3", "?.mp3"));  // "?" takes a whole character
  EXPECT_FALSE(MatchesPattern("日本.mp3", "?.mp3"));
  EXPECT_FALSE(MatchesPattern("Ä.mp3", "ä.mp3"));  // only ASCII letters fold
  EXPECT_FALSE(MatchesPattern(std::string(4000, 'a'), std::string(50, '*') + "b"));
  EXPECT_EQ(MaskPatterns("*.mp1;;*.mp2;"), (std::vector<std::string_view>{"*.mp1", "*.mp2"}));
  EXPECT_TRUE(MaskPatterns("").empty());
}

class FindFilesTest : public ::testing::Test {
 protected:
  std::string Touch(const std::string& name) { return folder_.Write(name, "x"); }
  TTempFolder folder_;
};

TEST_F(FindFilesTest, FindsRegularFilesMatchingAnyPatternOnce) {
  const std::string a = Touch("a.MP3"), b = Touch("b.mp1"), link = folder_.Path("link.mp3");
  Touch("c.wav");
  folder_.Folder("folder.mp3");
  ASSERT_EQ(::symlink(a.c_str(), link.c_str()), 0);
  ASSERT_EQ(::symlink(folder_.Path("gone").c_str(), folder_.Path("dangling.mp3").c_str()), 0);
  Names found = FindFiles(folder_.Root().string(), "*.mp3;a*;*.mp1", false);
  // Each pattern in turn: first the .mp3 files, then those of a*, then .mp1.
  ASSERT_EQ(found.size(), 3u);
  EXPECT_EQ(std::vector(found.end() - 1, found.end()), Names{b});
  std::sort(found.begin(), found.end() - 1);
  EXPECT_EQ(found, (Names{a, link, b}));
}

TEST_F(FindFilesTest, KeepsTheFileSystemsOrder) {
  for (int i = 0; i < 40; ++i) Touch(std::to_string(i * 7919 % 97) + "s.mp3");
  Names listed;
  for (const auto& entry : std::filesystem::directory_iterator(folder_.Root())) listed.push_back(entry.path().string());
  EXPECT_EQ(FindFiles(folder_.Root().string(), "*.mp3", false), listed);
  EXPECT_EQ(FindFiles(folder_.Root().string() + "/", "*.mp3", false), listed);  // one "/" between
}

TEST_F(FindFilesTest, SubfoldersComeAfterTheFolderAndOnlyWhenAsked) {
  const std::string deep = Touch("sub/deeper/z.mp3"), top = Touch("top.mp3"), sub = Touch("sub/y.mp3");
  EXPECT_EQ(FindFiles(folder_.Root().string(), "*.mp3", true), (Names{top, sub, deep}));
  EXPECT_EQ(FindFiles(folder_.Root().string(), "*.mp3", false), (Names{top}));
}

TEST_F(FindFilesTest, LinkedFolderCyclesEnd) {
  const std::string song = Touch("a/song.mp3");
  ASSERT_EQ(::symlink("..", folder_.Path("a/up").c_str()), 0);
  ASSERT_EQ(::symlink(folder_.Path("a").c_str(), folder_.Path("a/self").c_str()), 0);
  const Names found = FindFiles(folder_.Path("a"), "*.mp3", true);
  EXPECT_EQ(found, (Names{song}));
}

TEST_F(FindFilesTest, MissingFoldersAndFilesFindNothing) {
  EXPECT_TRUE(FindFiles(folder_.Path("missing"), "*", true).empty());
  EXPECT_TRUE(FindFiles(Touch("file.mp3"), "*", true).empty());
  EXPECT_TRUE(FindFiles("", "*", true).empty());
}

TEST_F(FindFilesTest, UnreadableSubfoldersAreSkipped) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
  const std::string readable = Touch("r/a.mp3");
  Touch("r/locked/b.mp3");
  ASSERT_EQ(::chmod(folder_.Path("r/locked").c_str(), 0), 0);
  EXPECT_EQ(FindFiles(folder_.Path("r"), "*.mp3", true), (Names{readable}));
  ::chmod(folder_.Path("r/locked").c_str(), 0700);
}

TEST_F(FindFilesTest, FolderSongNamesGroupByExtensionAcrossTheTree) {
  const std::string a3 = Touch("a.mp3"), a1 = Touch("sub/a.mp1"), b2 = Touch("b.mp2"), b1 = Touch("b.MP1");
  Touch("c.m3u");
  EXPECT_EQ(FolderSongNames(folder_.Root().string(), true), (Names{b1, a1, b2, a3}));
  EXPECT_EQ(FolderSongNames(folder_.Root().string(), false), (Names{b1, b2, a3}));
}

}  // namespace
}  // namespace orvana::app
