#include "app/playlist/playlist.h"

#include <gtest/gtest.h>

#include "playlist_test_support.h"

namespace orvana::app {
namespace {

using testing::Captions;
using testing::Song;
using testing::SubItems;
using testing::TRecordingListener;

TPlaylist ListOf(std::initializer_list<const char*> captions) {
  TPlaylist playlist;
  std::vector<TPlaylistItem> items;
  for (const char* caption : captions) items.push_back(Song(caption, std::string("/m/") + caption + ".mp3"));
  playlist.Append(std::move(items));
  return playlist;
}

TEST(PlaylistItem, ColumnsAndPath) {
  TPlaylistItem item = Song("Title", "/music/a.mp3", "03:25");
  EXPECT_EQ(item.Column(0), "Title");
  EXPECT_EQ(item.Column(siTime + 1), "03:25");
  EXPECT_EQ(item.Column(kColumnCount - 1), "/music/a.mp3");
  EXPECT_EQ(item.Column(kColumnCount), "");
  EXPECT_EQ(item.Column(-1), "");
  EXPECT_EQ(ItemPath(item), "/music/a.mp3");
  // An item from a damaged list file: its path is its last sub-item, if any.
  item = TPlaylistItem("Title", {"x", "/short/b.mp3"});
  EXPECT_EQ(ItemPath(item), "/short/b.mp3");
  EXPECT_EQ(item.Column(5), "");
  item.SetSubItem(2, "past the end: no change");
  EXPECT_EQ(item.SubItemCount(), 2);
  item = TPlaylistItem("Title", {});
  EXPECT_EQ(ItemPath(item), "");
  EXPECT_EQ(TPlaylistItem().Caption(), "");
}

TEST(PlaylistItem, LongTextsEditsAndCopiesKeepEveryColumn) {
  // The ends are kept in 1, 2 or 4 bytes, as the texts' length needs.
  for (const std::size_t length : {std::size_t(200), std::size_t(300), std::size_t(70000)}) {
    const TPlaylistItem item = Song(std::string(length, 'x'), "/music/a.mp3", "03:25");
    EXPECT_EQ(item.Caption().size(), length);
    EXPECT_EQ(item.SubItem(siTime), "03:25");
    EXPECT_EQ(ItemPath(item), "/music/a.mp3");
  }
  const std::string longTitle(70000, 'x');
  TPlaylistItem item = Song(longTitle, "/music/a.mp3", "03:25");
  EXPECT_EQ(item.Caption(), longTitle);
  EXPECT_EQ(ItemPath(item), "/music/a.mp3");
  item.SetCaption("short");
  item.SetSubItem(siArtist, std::string(70000, 'y'));
  item.SetSubItem(siAlbum, item.SubItem(siTime));  // a text of its own
  const TPlaylistItem copy = item;
  item.SetSubItem(siArtist, "");
  EXPECT_EQ(SubItems(copy), (std::vector<std::string>{std::string(70000, 'y'), "03:25", "", "03:25", "", "", "",
                                                      "/music/a.mp3"}));
  EXPECT_EQ(copy.Caption(), "short");
  EXPECT_EQ(SubItems(item)[0], "");
  EXPECT_FALSE(copy == item);
  EXPECT_TRUE(TPlaylistItem("", {}) == TPlaylistItem());
}

TEST(Playlist, EveryChangeIsAnnouncedBeforeAndAfter) {
  TPlaylist playlist = ListOf({"a", "b"});
  TRecordingListener listener;
  playlist.SetListener(&listener);
  playlist.Append({Song("c", "/c.mp3"), Song("d", "/d.mp3")});
  playlist.Remove({3, 0, 3, 99, -1});
  playlist.Reorder({1, 0});
  playlist.SetItem(1, Song("B", "/b.mp3"));
  playlist.Assign({Song("x", "/x.mp3")});
  playlist.Clear();
  EXPECT_EQ(listener.events, (std::vector<std::string>{"append 2 2", "appended", "remove 0 3", "removed", "reorder",
                                                       "reordered", "changed 1", "reset", "was reset", "reset",
                                                       "was reset"}));
}

TEST(Playlist, ChangesThatChangeNothingAreNotAnnounced) {
  TPlaylist playlist = ListOf({"a", "b", "c"});
  TRecordingListener listener;
  playlist.SetListener(&listener);
  playlist.Append({});
  playlist.Remove({5, -2});
  playlist.Reorder({0, 1});        // too short
  playlist.Reorder({0, 1, 1});     // a repeat
  playlist.Reorder({0, 1, 3});     // out of range
  playlist.SetItem(3, Song("z", "/z.mp3"));
  EXPECT_TRUE(listener.events.empty());
  EXPECT_EQ(Captions(playlist), (std::vector<std::string>{"a", "b", "c"}));
}

TEST(Playlist, AStationsNameCaptionsEveryItemOfItsAddress) {
  TPlaylist playlist;
  playlist.Append({Song("http://r/", "http://r/"), Song("a", "/a.mp3"), Song("Old name", "http://r/"),
                   Song("other", "http://R/")});
  TRecordingListener listener;
  playlist.SetListener(&listener);
  EXPECT_EQ(playlist.SetCaptionByPath("http://r/", "Radio R"), 2);
  EXPECT_EQ(playlist.SetCaptionByPath("http://r/", "Radio R"), 0);  // already so
  EXPECT_EQ(playlist.SetCaptionByPath("http://r/", ""), 0);         // a name not known keeps the old
  EXPECT_EQ(Captions(playlist), (std::vector<std::string>{"Radio R", "a", "Radio R", "other"}));
  EXPECT_EQ(listener.events, (std::vector<std::string>{"changed 0", "changed 2"}));
}

TEST(Playlist, RemoveKeepsTheOthersInOrderAndReorderMovesItems) {
  TPlaylist playlist = ListOf({"a", "b", "c", "d", "e"});
  playlist.Remove({4, 1, 2});
  EXPECT_EQ(Captions(playlist), (std::vector<std::string>{"a", "d"}));
  playlist = ListOf({"a", "b", "c"});
  playlist.Reorder({2, 0, 1});
  EXPECT_EQ(Captions(playlist), (std::vector<std::string>{"c", "a", "b"}));
}

}  // namespace
}  // namespace orvana::app
