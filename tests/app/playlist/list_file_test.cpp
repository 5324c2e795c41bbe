#include "app/playlist/list_file.h"

#include <gtest/gtest.h>

#include "app/playlist/add_files.h"
#include "app/playlist/saved_playlist.h"
#include "app/playlist/song_item.h"
#include "app/files/atomic_file.h"
#include "playlist_test_support.h"

namespace orvana::app {
namespace {

using testing::Song;
using testing::SubItems;
using testing::TTempFolder;
using Names = std::vector<std::string>;
using namespace std::string_literals;

std::string ReadAll(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

TEST(ListFile, EachItemIsCaptionCountAndSubItemsInCrLfLines) {
  const TPlaylistItem odd("odd", {"only"});
  EXPECT_EQ(ListFileText({Song("A", "/a.mp3", "03:25"), odd}),
            "A\r\n8\r\n\r\n\r\n\r\n03:25\r\n\r\n\r\n\r\n/a.mp3\r\nodd\r\n1\r\nonly\r\n");
  EXPECT_EQ(ListFileText({}), "");
}

TEST(ListFile, LineBreaksInsideTextsCannotShiftTheRecords) {
  const std::vector<TPlaylistItem> items = {Song("two\r\nlines", "/a.mp3"), Song("next", "/b\n.mp3")};
  const std::vector<TPlaylistItem> read = ParseListFile(ListFileText(items));
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read[0].Caption(), "two  lines");
  EXPECT_EQ(read[1].Caption(), "next");
  EXPECT_EQ(ItemPath(read[1]), "/b .mp3");
}

TEST(ListFile, SavedAndLoadedItemsAreTheSame) {
  TTempFolder folder;
  TPlaylist playlist;
  const TPlaylistItem bare("no path", {});
  playlist.Append({Song("日本語", "/music/日本.mp3", "12:34"), bare, Song("", "/b.mp3")});
  const std::string path = folder.Path("orvana.lst");
  SaveListFile(playlist, path);
  TPlaylist loaded;
  loaded.Append({Song("old", "/old.mp3")});
  testing::TRecordingListener listener;
  loaded.SetListener(&listener);
  ASSERT_TRUE(LoadListFile(loaded, path));
  EXPECT_EQ(listener.events, (Names{"reset", "was reset"}));
  ASSERT_EQ(loaded.Count(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(loaded.Item(i).Caption(), playlist.Item(i).Caption());
    EXPECT_EQ(SubItems(loaded.Item(i)), SubItems(playlist.Item(i)));
  }
  playlist.Clear();
  SaveListFile(playlist, path);
  EXPECT_EQ(ReadAll(path), "");
  ASSERT_TRUE(LoadListFile(loaded, path));
  EXPECT_TRUE(loaded.Empty());
}

TEST(ListFile, AMissingFileChangesNothing) {
  TTempFolder folder;
  TPlaylist playlist;
  playlist.Append({Song("kept", "/k.mp3")});
  testing::TRecordingListener listener;
  playlist.SetListener(&listener);
  EXPECT_FALSE(LoadListFile(playlist, folder.Path("none.lst")));
  EXPECT_EQ(playlist.Count(), 1);
  EXPECT_TRUE(listener.events.empty());
  EXPECT_THROW(LoadListFile(playlist, folder.Root().string()), TFileReadError);
  EXPECT_EQ(playlist.Count(), 1);
}

TEST(ListFile, SaveErrorsAreThrown) {
  TTempFolder folder;
  TPlaylist playlist;
  const std::string blocker = folder.Write("file", "x");
  EXPECT_THROW(SaveListFile(playlist, blocker + "/below/orvana.lst"), TFileWriteError);
}

TEST(ListFileDamage, ARecordCutShortIsDropped) {
  const std::string whole = "A\r\n8\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n/a.mp3\r\n";
  EXPECT_EQ(ParseListFile(whole + "B\r\n8\r\n1\r\n2\r\n").size(), 1u);
  EXPECT_EQ(ParseListFile(whole + "B\r\n").size(), 1u);  // one line: no record
  // A count of 0 needs nothing more.
  const std::vector<TPlaylistItem> items = ParseListFile(whole + "B\r\n0");
  ASSERT_EQ(items.size(), 2u);
  EXPECT_TRUE((items[1].SubItemCount() == 0));
}

TEST(ListFileDamage, ACountThatIsNoNumberGivesAnItemWithoutSubItems) {
  const std::vector<TPlaylistItem> items = ParseListFile("A\r\neight\r\nB\r\n1\r\n/b.mp3\r\nC\r\n-3\r\nD\r\n 2 \r\nx\r\ny\r\n");
  ASSERT_EQ(items.size(), 4u);
  EXPECT_EQ(items[0].Caption(), "A");
  EXPECT_TRUE((items[0].SubItemCount() == 0));
  EXPECT_EQ(SubItems(items[1]), (Names{"/b.mp3"}));
  EXPECT_TRUE((items[2].SubItemCount() == 0));
  EXPECT_EQ(SubItems(items[3]), (Names{"x", "y"}));
  // Numbers too large for any count read as no number.
  EXPECT_TRUE((ParseListFile("A\r\n99999999999999999999999\r\n")[0].SubItemCount() == 0));
}

TEST(ListFileDamage, HugeCountsCostNothing) {
  const std::vector<TPlaylistItem> items = ParseListFile("A\r\n2000000000\r\nx\r\n");
  EXPECT_TRUE(items.empty());
  EXPECT_TRUE(ParseListFile("A\r\n9223372036854775807\r\nx\r\n").empty());
}

TEST(ListFileDamage, LfOnlyFilesAndLastLinesWithoutEndingRead) {
  const std::vector<TPlaylistItem> items = ParseListFile("A\n1\n/a.mp3\nB\r\n1\r\n/b.mp3");
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(ItemPath(items[0]), "/a.mp3");
  EXPECT_EQ(ItemPath(items[1]), "/b.mp3");
}

TEST(ListFileDamage, NulBytesAndGarbageAreJustText) {
  const std::string withNul = "A\0B\r\n1\r\n/a\0.mp3\r\n"s;
  const std::vector<TPlaylistItem> items = ParseListFile(withNul);
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].Caption(), std::string("A\0B", 3));
  std::string garbage;
  for (int i = 0; i < 100000; ++i) garbage += static_cast<char>((i * 7919 + i / 13) & 0xFF);
  const std::vector<TPlaylistItem> noise = ParseListFile(garbage);
  for (const TPlaylistItem& item : noise) EXPECT_LE(item.SubItemCount(), 100000u);
}

TEST(ListFileDamage, Cp932LinesAreDecoded) {
  const std::vector<TPlaylistItem> items = ParseListFile("\x93\xfa\x96\x7b\r\n1\r\nC:\\\x89\xb9\x8a\x79.mp3\r\n");
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].Caption(), "日本");
  EXPECT_EQ(ItemPath(items[0]), "C:\\音楽.mp3");
}

TEST(SavedPlaylist, OnePathALineWhateverTheExtension) {
  TTempFolder folder;
  TPlaylist playlist;
  const TPlaylistItem bare("no path", {});
  playlist.Append({Song("A", "/a.mp3"), bare, Song("B", "/b c.mp3"), Song("C", "/bad\nname.mp3")});
  SavePlaylist(playlist, folder.Path("list.m3u"));
  SavePlaylist(playlist, folder.Path("list.txt"));
  EXPECT_EQ(ReadAll(folder.Path("list.m3u")), "/a.mp3\r\n/b c.mp3\r\n");
  EXPECT_EQ(ReadAll(folder.Path("list.txt")), ReadAll(folder.Path("list.m3u")));
  EXPECT_THROW(SavePlaylist(playlist, folder.Write("file", "x") + "/x.m3u"), TFileWriteError);
}

}  // namespace
}  // namespace orvana::app

namespace orvana::app {
namespace {

// Addresses are passed on as written: a station's server may tell "%2F" from
// "/" and a query's case matters.
TEST(StationAddresses, ComeBackUnchangedFromTheListFileAndASavedPlaylist) {
  const std::string odd = "HTTP://Radio.Example:8000/a%20b/../;stream.mp3?Sid=1&x=%2F#Frag";
  const std::vector<TPlaylistItem> items = {ItemFromAddress(odd, ""), ItemFromAddress("https://h/live", "Live\nFM"),
                                            Song("A", "/a.mp3")};
  const std::vector<TPlaylistItem> read = ParseListFile(ListFileText(items));
  ASSERT_EQ(read.size(), 3u);
  EXPECT_EQ(read[0].Caption(), odd);
  EXPECT_EQ(SubItems(read[0]), SubItems(items[0]));
  EXPECT_EQ(SubItems(read[1]), SubItems(items[1]));

  // A station's name needs the extended form; songs and bare stations not.
  EXPECT_EQ(SavedPlaylistText(items),
            "#EXTM3U\r\n" + odd + "\r\n#EXTINF:-1,Live FM\r\nhttps://h/live\r\n/a.mp3\r\n");
  EXPECT_EQ(SavedPlaylistText({items[0], items[2]}), odd + "\r\n/a.mp3\r\n");
  testing::TTempFolder folder;
  TPlaylist playlist;
  playlist.Append(std::vector<TPlaylistItem>(items.begin(), items.begin() + 2));
  SavePlaylist(playlist, folder.Path("saved.m3u"));
  TPlaylist again;
  int total = 0;
  AddFiles(again, {folder.Path("saved.m3u")}, true, false, total);
  EXPECT_EQ(testing::Paths(again), (Names{odd, "https://h/live"}));
  EXPECT_EQ(testing::Captions(again), (Names{odd, "Live FM"}));
}

}  // namespace
}  // namespace orvana::app
