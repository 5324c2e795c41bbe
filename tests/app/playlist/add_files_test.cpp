#include "app/playlist/add_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "playlist_test_support.h"

namespace orvana::app {
namespace {

using testing::Captions;
using testing::Paths;
using testing::SubItems;
using testing::TaggedSong;
using testing::TRecordingListener;
using testing::TTempFolder;
using Names = std::vector<std::string>;

class AddFilesTest : public ::testing::Test {
 protected:
  int Add(const Names& names, bool append = true, bool readTags = false) {
    return AddFiles(playlist_, names, append, readTags, totalSeconds_).added;
  }
  std::string Song(const std::string& name) { return folder_.Write(name, std::string(200, '\xFF')); }

  TTempFolder folder_;
  TPlaylist playlist_;
  int totalSeconds_ = 0;
};

TEST_F(AddFilesTest, AddsSongNamesInOrderAndSkipsOtherNames) {
  const std::string a = Song("a.mp3"), b = Song("B.MP2"), c = Song("c.Mp1");
  EXPECT_EQ(Add({a, folder_.Path("x.wav"), b, folder_.Path("y.mp3.bak"), folder_.Root().string(), c,
                 folder_.Path("noext")}),
            3);
  EXPECT_EQ(Paths(playlist_), (Names{a, b, c}));
  EXPECT_EQ(Captions(playlist_), (Names{"a.mp3", "B.MP2", "c.Mp1"}));
}

TEST_F(AddFilesTest, NamesAreNotTestedForExistence) {
  const std::string missing = folder_.Path("gone.mp3");
  EXPECT_EQ(Add({missing}, true, true), 1);
  EXPECT_EQ(playlist_.Item(0).Caption(), "gone.mp3");
}

TEST_F(AddFilesTest, ANamePresentIsSkippedButATwiceGivenNameIsAddedTwice) {
  const std::string a = Song("a.mp3");
  EXPECT_EQ(Add({a}), 1);
  EXPECT_EQ(Add({a}), 0);
  EXPECT_EQ(playlist_.Count(), 1);
  EXPECT_EQ(Add({a}, false), 1);  // opening replaces
  EXPECT_EQ(playlist_.Count(), 1);
  const std::string b = Song("b.mp3");
  EXPECT_EQ(Add({b, b}), 2);
  EXPECT_EQ(Paths(playlist_), (Names{a, b, b}));
}

TEST_F(AddFilesTest, PathsDifferingInCaseAreDifferentFiles) {
  const std::string lower = Song("song.mp3"), upper = Song("SONG.mp3");
  EXPECT_EQ(Add({lower}), 1);
  EXPECT_EQ(Add({upper}), 1);
  EXPECT_EQ(Paths(playlist_), (Names{lower, upper}));
}

TEST_F(AddFilesTest, ReplaceClearsListAndTotalOnlyWhenNamesAreGiven) {
  Add({Song("a.mp3"), Song("b.mp3")});
  totalSeconds_ = 300;
  EXPECT_EQ(Add({}, false), 0);
  EXPECT_EQ(playlist_.Count(), 2);
  EXPECT_EQ(totalSeconds_, 300);
  // Names that all fall out still replace the list.
  EXPECT_EQ(Add({folder_.Path("x.txt")}, false), 0);
  EXPECT_EQ(playlist_.Count(), 0);
  EXPECT_EQ(totalSeconds_, 0);
  Add({Song("c.mp3")});
  totalSeconds_ = 100;
  Add({Song("d.mp3")});
  EXPECT_EQ(totalSeconds_, 100);  // appending keeps it
}

TEST_F(AddFilesTest, EachCommandIsOneAnnouncedChange) {
  TRecordingListener listener;
  playlist_.SetListener(&listener);
  Add({Song("a.mp3"), Song("b.mp3")});
  Add({Song("c.mp3"), Song("d.mp3")}, false);
  Add({Song("a.mp3")});
  Add({folder_.Path("none.txt")});  // nothing to add: nothing to announce
  EXPECT_EQ(listener.events, (Names{"append 0 2", "appended", "reset", "was reset", "append 2 1", "appended"}));
}

TEST_F(AddFilesTest, TagsFillTheColumnsWhenAsked) {
  const std::string tagged = folder_.Write("t.mp3", TaggedSong({"Title", "Artist", "Album", "2001", "Note", 7, 17}));
  const std::string v10 = folder_.Write("v10.mp3", TaggedSong({"Old", "", "", "", "c", -1, 255}));
  const std::string zero = folder_.Write("zero.mp3", TaggedSong({"Zero", "", "", "", "", 0, 0}));
  const std::string plain = Song("plain.mp3");
  EXPECT_EQ(Add({tagged, v10, zero, plain}, true, true), 4);
  EXPECT_EQ(SubItems(playlist_.Item(0)), (Names{"Artist", "Album", "7", "--:--", "ロック", "2001", "Note", tagged}));
  EXPECT_EQ(playlist_.Item(0).Caption(), "Title");
  EXPECT_EQ(SubItems(playlist_.Item(1)), (Names{"", "", "", "--:--", "", "", "c", v10}));  // genre 255: none
  EXPECT_EQ(playlist_.Item(2).Column(siTrack + 1), "0");  // a v1.1 tag shows even track 0
  EXPECT_EQ(playlist_.Item(3).Caption(), "plain.mp3");
  EXPECT_EQ(SubItems(playlist_.Item(3)), (Names{"", "", "", "--:--", "", "", "", plain}));
}

TEST_F(AddFilesTest, WithoutTagReadingTheFileNameIsTheCaption) {
  const std::string tagged = folder_.Write("t.mp3", TaggedSong({"Title", "Artist"}));
  Add({tagged});
  EXPECT_EQ(playlist_.Item(0).Caption(), "t.mp3");
  EXPECT_EQ(playlist_.Item(0).Column(1), "");
}

TEST_F(AddFilesTest, PlaylistFilesAddTheirSongLines) {
  const std::string a = Song("a.mp3"), b = Song("b.mp2");
  const std::string list = folder_.Write(
      "list.M3U", "#EXTM3U\r\n#EXTINF:123,A\r\n" + a + "\r\n\r\nnotes.txt\r\n " + b + " \r\n" + b + "\r\n");
  EXPECT_EQ(Add({list}), 2);
  EXPECT_EQ(Paths(playlist_), (Names{a, b}));
}

TEST_F(AddFilesTest, PlaylistLinesInCp932AreDecoded) {
  const std::string song = Song("日本.mp3");
  folder_.Write("list.m3u", folder_.Path("") + "\x93\xfa\x96\x7b.mp3\n");
  EXPECT_EQ(Add({folder_.Path("list.m3u")}), 1);
  EXPECT_EQ(Paths(playlist_), (Names{song}));
}

TEST_F(AddFilesTest, APlaylistListingItselfIsReadOnce) {
  const std::string a = Song("a.mp3"), b = Song("b.mp3");
  const std::string self = folder_.Path("self.m3u");
  folder_.Write("self.m3u", a + "\n" + self + "\n" + folder_.Path("./self.m3u") + "\n");
  EXPECT_EQ(Add({self}), 1);
  // Through another: one.m3u -> two.m3u -> one.m3u.
  const std::string one = folder_.Path("one.m3u"), two = folder_.Path("two.m3u");
  folder_.Write("one.m3u", two + "\n" + a + "\n");
  folder_.Write("two.m3u", one + "\n" + b + "\n");
  EXPECT_EQ(Add({one, one}, false), 2);
  EXPECT_EQ(Paths(playlist_), (Names{b, a}));
}

TEST_F(AddFilesTest, ANestedPlaylistSeesWhatWasAddedBeforeIt) {
  const std::string a = Song("a.mp3");
  const std::string inner = folder_.Write("inner.m3u", a + "\n");
  EXPECT_EQ(Add({a, inner}), 1);  // inner finds a present
  playlist_.Clear();
  // The outer names were checked against the list as it was at their start.
  EXPECT_EQ(Add({inner, a}), 2);
}

TEST_F(AddFilesTest, AnUnreadablePlaylistThrowsAndChangesNothing) {
  const std::string a = Song("a.mp3"), b = Song("b.mp3");
  Add({a});
  totalSeconds_ = 42;
  TRecordingListener listener;
  playlist_.SetListener(&listener);
  const std::string missing = folder_.Path("missing.m3u");
  const std::string inner = folder_.Write("outer.m3u", b + "\n" + missing + "\n");
  for (const bool append : {true, false}) {
    try {
      Add({b, inner}, append);
      ADD_FAILURE() << "no error";
    } catch (const TFileReadError& error) {
      EXPECT_EQ(std::string(error.what()), missing + ": No such file or directory");
    }
  }
  folder_.Folder("folder.m3u");
  EXPECT_THROW(Add({folder_.Path("folder.m3u")}, false), TFileReadError);
  // A FIFO would block a reader for ever: it is refused at once.
  ASSERT_EQ(::mkfifo(folder_.Path("fifo.m3u").c_str(), 0600), 0);
  EXPECT_THROW(Add({folder_.Path("fifo.m3u")}, false), TFileReadError);
  EXPECT_EQ(Paths(playlist_), (Names{a}));
  EXPECT_EQ(totalSeconds_, 42);
  EXPECT_TRUE(listener.events.empty());
}

TEST_F(AddFilesTest, StationsAndPlaylistFilesOfEveryKindJoinTheList) {
  const std::string song = Song("lists/song.mp3"), spaced = Song("b c.mp3");
  const std::string inner = folder_.Write("lists/inner.m3u8", "#EXTM3U\n#EXTINF:-1,Beta\n http://b/ \n");
  const std::string pls = folder_.Write(
      "lists/radio.PLS", "[playlist]\r\nFile1=http://a/\r\nTitle1=Alpha\r\nFile2=song.mp3\r\nFile3=file://" +
                             folder_.Path("b%20c.mp3") + "\r\nFile4=https://h/more.pls?x\r\nFile5=/etc/passwd\r\n"
                             "File6=inner.m3u8\r\nFile7=ftp://h/c.mp3\r\nNumberOfEntries=2\r\n");
  totalSeconds_ = 7;
  const TAddResult result =
      AddFiles(playlist_, {pls, "https://h/more.pls?x", "HTTP://c/"}, true, true, totalSeconds_);
  EXPECT_EQ(result.added, 5);
  EXPECT_EQ(Paths(playlist_), (Names{"http://a/", song, spaced, "http://b/", "HTTP://c/"}));
  EXPECT_EQ(Captions(playlist_), (Names{"Alpha", "song.mp3", "b c.mp3", "Beta", "HTTP://c/"}));
  // A station reads no tag and knows no length.
  EXPECT_EQ(SubItems(playlist_.Item(0)), (Names{"", "", "", "--:--", "", "", "", "http://a/"}));
  EXPECT_EQ(totalSeconds_, 7);
  EXPECT_EQ(result.webPlaylists, Names{"https://h/more.pls?x"});  // once, to be fetched
  EXPECT_EQ(Add({"http://a/", pls}), 0);                          // all present
}

TEST_F(AddFilesTest, AFolderAddsMp1ThenMp2ThenMp3OfTheWholeTree) {
  const std::string a = Song("music/a.mp3"), b = Song("music/b.mp1"), c = Song("music/sub/c.mp1"),
                    d = Song("music/sub/d.MP2");
  Song("music/sub/e.wav");
  EXPECT_EQ(AddFolder(playlist_, folder_.Path("music"), true, false, true, totalSeconds_), 4);
  EXPECT_EQ(Paths(playlist_), (Names{b, c, d, a}));
  EXPECT_EQ(AddFolder(playlist_, folder_.Path("music"), false, false, false, totalSeconds_), 2);
  EXPECT_EQ(Paths(playlist_), (Names{b, a}));
  EXPECT_EQ(AddFolder(playlist_, folder_.Path("nowhere"), true, false, false, totalSeconds_), 0);
  EXPECT_EQ(playlist_.Count(), 2);  // nothing found: nothing replaced
}

}  // namespace
}  // namespace orvana::app
