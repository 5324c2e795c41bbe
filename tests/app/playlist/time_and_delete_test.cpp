#include <gtest/gtest.h>

#include "app/playlist/delete_commands.h"
#include "app/playlist/song_item.h"
#include "app/playlist/time_text.h"
#include "playlist_test_support.h"

namespace orvana::app {
namespace {

using testing::Captions;
using testing::Song;
using testing::SubItems;
using testing::TRecordingListener;
using testing::TTempFolder;
using Names = std::vector<std::string>;

TEST(TimeText, ParsesMinutesAndSeconds) {
  EXPECT_EQ(ParseTimeText("03:25"), 205);
  EXPECT_EQ(ParseTimeText("  03:25 "), 205);
  EXPECT_EQ(ParseTimeText("--:--"), 0);
  EXPECT_EQ(ParseTimeText("3:25"), 0);  // shorter than five characters
  EXPECT_EQ(ParseTimeText(""), 0);
  EXPECT_EQ(ParseTimeText("xx:25"), 25);  // a part that is no number counts 0
  EXPECT_EQ(ParseTimeText("03:yy"), 180);
  EXPECT_EQ(ParseTimeText("-1:30"), 30);
  EXPECT_EQ(ParseTimeText("12345"), 0);
  // Long songs have more minute digits.
  EXPECT_EQ(ParseTimeText("123:45"), 123 * 60 + 45);
  EXPECT_EQ(ParseTimeText("99999999:00"), 0);
}

TEST(TimeText, FormatsTwoDigitsEach) {
  EXPECT_EQ(FormatTimeText(0), "00:00");
  EXPECT_EQ(FormatTimeText(205), "03:25");
  EXPECT_EQ(FormatTimeText(7425), "123:45");
  EXPECT_EQ(FormatTimeText(-5), "00:00");
  for (const int seconds : {0, 59, 60, 3599, 6000, 100000}) EXPECT_EQ(ParseTimeText(FormatTimeText(seconds)), seconds);
}

TEST(SongItem, UpdatingFromATagKeepsTimeAndPath) {
  TPlaylistItem item = ItemFromFileName("/m/a.mp3");
  item.SetSubItem(siTime, "03:25");
  TTagRecord record;
  record.Title = "T";
  record.Artist = "Ar";
  record.Track = 0;
  record.Version = "1.1";
  record.Genre = 0;
  UpdateItemFromTag(item, record);
  EXPECT_EQ(item.Caption(), "T");
  EXPECT_EQ(SubItems(item), (Names{"Ar", "", "", "03:25", "ブルース", "", "", "/m/a.mp3"}));
  record.Track = 9;
  UpdateItemFromTag(item, record);
  EXPECT_EQ(item.Column(siTrack + 1), "9");
  // A damaged item keeps its path, its last sub-item.
  TPlaylistItem damaged("", {"x", "/m/b.mp3"});
  UpdateItemFromTag(damaged, record);
  EXPECT_EQ(SubItems(damaged), (Names{"Ar", "/m/b.mp3"}));
  TPlaylistItem bare;
  UpdateItemFromTag(bare, record);
  EXPECT_EQ(bare.Caption(), "T");
  EXPECT_EQ(bare.SubItemCount(), 0);
}

class DeleteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    playlist_.Append({Song("a", "/a.mp3", "03:25"), Song("b", "/b.mp3", "--:--"), Song("c", "/c.mp3", "01:00"),
                      Song("d", "/d.mp3", "00:10")});
    playlist_.SetListener(&listener_);
  }
  TPlaylist playlist_;
  TRecordingListener listener_;
  int total_ = 1000;
};

TEST_F(DeleteTest, SelectedItemsGoAndTheirTimesWithThem) {
  DeleteSelected(playlist_, {0}, total_);
  EXPECT_EQ(total_, 1000 - 205);
  DeleteSelected(playlist_, {0, 0}, total_);  // "--:--" counts nothing
  EXPECT_EQ(total_, 1000 - 205);
  EXPECT_EQ(Captions(playlist_), (Names{"c", "d"}));
  EXPECT_EQ(listener_.events, (Names{"remove 0", "removed", "remove 0", "removed"}));
  DeleteSelected(playlist_, {}, total_);
  DeleteSelected(playlist_, {7, -1}, total_);
  EXPECT_EQ(listener_.events.size(), 4u);
}

TEST_F(DeleteTest, UnselectedItemsGoInOneStep) {
  DeleteUnselected(playlist_, {1, 3, 9}, total_);
  EXPECT_EQ(Captions(playlist_), (Names{"b", "d"}));
  EXPECT_EQ(total_, 1000 - 205 - 60);
  EXPECT_EQ(listener_.events, (Names{"remove 0 2", "removed"}));
}

TEST_F(DeleteTest, TheTotalNeverGoesBelowZero) {
  total_ = 100;
  DeleteSelected(playlist_, {0, 2, 3}, total_);
  EXPECT_EQ(total_, 0);
}

TEST_F(DeleteTest, DeleteAllClearsListAndTotal) {
  DeleteAll(playlist_, total_);
  EXPECT_TRUE(playlist_.Empty());
  EXPECT_EQ(total_, 0);
  EXPECT_EQ(listener_.events, (Names{"reset", "was reset"}));
}

TEST(DeleteDead, ItemsWhoseFileIsGoneGo) {
  TTempFolder folder;
  const std::string here = folder.Write("here.mp3", "x");
  const TPlaylistItem bare("no path", {});
  TPlaylist playlist;
  playlist.Append({Song("here", here, "00:05"), Song("gone", folder.Path("gone.mp3"), "01:00"), bare,
                   Song("folder", folder.Folder("dir.mp3"), "00:30"), Song("below", here + "/x.mp3"),
                   Song("station", "http://radio.example/stream")});
  TRecordingListener listener;
  playlist.SetListener(&listener);
  int total = 1000;
  DeleteDead(playlist, total);
  EXPECT_EQ(Captions(playlist), (Names{"here", "station"}));  // a station is no file to miss
  EXPECT_EQ(total, 1000 - 60 - 30);
  EXPECT_EQ(listener.events, (Names{"remove 1 2 3 4", "removed"}));
}

}  // namespace
}  // namespace orvana::app
