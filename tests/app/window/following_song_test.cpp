// Which song follows the one that plays, as the window picks it ahead.
#include "app/window/following_song.h"

#include <gtest/gtest.h>

#include <set>

#include "app/playlist/song_item.h"

namespace orvana::app {
namespace {

TPlaylist ListOf(const std::vector<std::string>& paths) {
  TPlaylist playlist;
  std::vector<TPlaylistItem> items;
  for (const std::string& path : paths) items.push_back(ItemFromFileName(path));
  playlist.Append(std::move(items));
  return playlist;
}

bool Everything(const std::string&) { return true; }

TEST(SongAfterCurrent, FollowsTheListAndStopsAtItsEndWithoutRepeat) {
  const TPlaylist list = ListOf({"/m/a.mp3", "/m/b.mp3", "/m/c.mp3"});
  TRandom random(1);
  const auto second = SongAfterCurrent(list, {0, {"/m/a.mp3"}}, {}, random, Everything);
  ASSERT_TRUE(second);
  EXPECT_EQ(second->index, 1);
  EXPECT_EQ(second->path, "/m/b.mp3");
  EXPECT_EQ(second->pass.played, std::vector<std::string>{"/m/a.mp3"}) << "counted once it is heard";
  EXPECT_FALSE(SongAfterCurrent(list, {2, {"/m/c.mp3"}}, {}, random, Everything));
  const auto round = SongAfterCurrent(list, {2, {"/m/a.mp3", "/m/b.mp3", "/m/c.mp3"}}, {true, false}, random,
                                      Everything);
  ASSERT_TRUE(round);
  EXPECT_EQ(round->index, 0);
  EXPECT_TRUE(round->pass.played.empty()) << "a new pass";
}

TEST(SongAfterCurrent, PassesOverFilesGoneFromTheDiskForOneRoundAtMost) {
  const TPlaylist list = ListOf({"/m/a.mp3", "/m/gone1.mp3", "/m/gone2.mp3", "/m/d.mp3"});
  TRandom random(1);
  const auto exists = [](const std::string& path) { return path.find("gone") == std::string::npos; };
  const auto next = SongAfterCurrent(list, {0, {}}, {true, false}, random, exists);
  ASSERT_TRUE(next);
  EXPECT_EQ(next->path, "/m/d.mp3");
  EXPECT_FALSE(SongAfterCurrent(list, {0, {}}, {true, false}, random, [](const std::string&) { return false; }));
}

TEST(SongAfterCurrent, ShuffleKeepsItsDrawWhileItMayStillComeAndDrawsAnewOtherwise) {
  const TPlaylist list = ListOf({"/m/a.mp3", "/m/b.mp3", "/m/c.mp3", "/m/d.mp3", "/m/e.mp3"});
  const TPlayModes shuffle{true, true};
  TRandom random(7);
  const TPassState pass{0, {"/m/a.mp3"}};
  const auto drawn = SongAfterCurrent(list, pass, shuffle, random, Everything);
  ASSERT_TRUE(drawn);
  EXPECT_NE(drawn->path, "/m/a.mp3") << "never one played in the pass";
  for (int again = 0; again < 5; ++again)
    EXPECT_EQ(SongAfterCurrent(list, pass, shuffle, random, Everything, drawn->path)->path, drawn->path);
  TPassState later = pass;
  later.played.push_back(drawn->path);
  std::set<std::string> seen;
  for (int draw = 0; draw < 40; ++draw) {
    const auto other = SongAfterCurrent(list, later, shuffle, random, Everything, drawn->path);
    ASSERT_TRUE(other);
    EXPECT_FALSE(PlayedInPass(later, other->path));
    seen.insert(other->path);
  }
  EXPECT_EQ(seen.size(), 3u) << "every song not yet played can come";
}

}  // namespace
}  // namespace orvana::app
