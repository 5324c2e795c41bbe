#include "app/playlist/read_tag_v1.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "app/playlist/genre_names.h"
#include "playlist_test_support.h"

namespace orvana::app {
namespace {

using testing::TagBytes;
using testing::TaggedSong;
using testing::TTempFolder;

class ReadTagV1Test : public ::testing::Test {
 protected:
  TTempFolder folder_;
};

TEST_F(ReadTagV1Test, Version10TakesTheWholeCommentAndNoTrack) {
  const std::string path = folder_.Write(
      "a.mp3", TaggedSong({"Title  ", "Artist", "Album\x01\x02", "1999", std::string(30, 'c'), -1, 17}));
  TTagRecord record;
  ASSERT_TRUE(ReadTagV1(path, record));
  EXPECT_EQ(record.Title, "Title");
  EXPECT_EQ(record.Artist, "Artist");
  EXPECT_EQ(record.Album, "Album");
  EXPECT_EQ(record.Year, "1999");
  EXPECT_EQ(record.Comment, std::string(30, 'c'));
  EXPECT_EQ(record.Track, 0);
  EXPECT_EQ(record.Genre, 17);
  EXPECT_EQ(record.Version, "1.0");
}

TEST_F(ReadTagV1Test, Version11KeepsTheTrackBehindTheComment) {
  const std::string path = folder_.Write("a.mp3", TaggedSong({"T", "", "", "", "note", 12, 255}));
  TTagRecord record;
  ASSERT_TRUE(ReadTagV1(path, record));
  EXPECT_EQ(record.Comment, "note");
  EXPECT_EQ(record.Track, 12);
  EXPECT_EQ(record.Version, "1.1");
  EXPECT_EQ(record.Genre, kNoGenre);  // 255 and every other unnamed number
}

TEST_F(ReadTagV1Test, TextStopsAtTheFirstZeroByte) {
  std::string tag = TagBytes({"", "", "", "", ""});
  tag.replace(3, 9, std::string("abc\0def  ", 9));
  TTagRecord record;
  ASSERT_TRUE(ReadTagV1(folder_.Write("a.mp3", tag), record));
  EXPECT_EQ(record.Title, "abc");
}

TEST_F(ReadTagV1Test, Cp932FieldsBecomeUtf8AndUtf8FieldsStay) {
  // "日本" in CP932, then in UTF-8.
  const std::string path = folder_.Write("a.mp3", TaggedSong({"\x93\xfa\x96\x7b", "\xe6\x97\xa5\xe6\x9c\xac"}));
  TTagRecord record;
  ASSERT_TRUE(ReadTagV1(path, record));
  EXPECT_EQ(record.Title, "日本");
  EXPECT_EQ(record.Artist, "日本");
}

TEST_F(ReadTagV1Test, WithoutATagTheRecordHoldsTheFileName) {
  TTagRecord record;
  record.Artist = "left over";
  EXPECT_FALSE(ReadTagV1(folder_.Write("plain.mp3", std::string(500, 'x')), record));
  EXPECT_EQ(record.Title, "plain.mp3");
  EXPECT_EQ(record.Artist, "");
  EXPECT_EQ(record.Track, 0);
  EXPECT_EQ(record.Genre, kNoGenre);
  EXPECT_EQ(record.Version, "");
}

TEST_F(ReadTagV1Test, TheFileNameTitleIsCutAtACharacterBoundary) {
  const auto title = [this](const std::string& name) {
    TTagRecord record;
    EXPECT_FALSE(ReadTagV1(folder_.Write(name, std::string(200, 'x')), record));
    return record.Title;
  };
  EXPECT_EQ(title(std::string(40, 'x') + ".mp3"), std::string(30, 'x'));
  // Byte 30 falls inside a three-byte character: the character goes whole.
  EXPECT_EQ(title("aあいうえおかきくけこ.mp3"), "aあいうえおかきくけ");
  EXPECT_EQ(title("abあいうえおかきくけこ.mp3"), "abあいうえおかきくけ");
  EXPECT_EQ(title("あいうえおかきくけこ.mp3"), "あいうえおかきくけこ");
}

TEST_F(ReadTagV1Test, ShortFilesHaveNoTagEvenWhenTheyStartWithOne) {
  TTagRecord record;
  EXPECT_FALSE(ReadTagV1(folder_.Write("short.mp3", TagBytes({"Title"}).substr(0, 127)), record));
  EXPECT_EQ(record.Title, "short.mp3");
  EXPECT_FALSE(ReadTagV1(folder_.Write("empty.mp3", ""), record));
  EXPECT_TRUE(ReadTagV1(folder_.Write("exact.mp3", TagBytes({"Title"})), record));
  EXPECT_EQ(record.Title, "Title");
}

TEST_F(ReadTagV1Test, AMissingFileLeavesTheRecordAlone) {
  TTagRecord record;
  record.Title = "kept";
  EXPECT_FALSE(ReadTagV1(folder_.Path("missing.mp3"), record));
  EXPECT_FALSE(ReadTagV1(folder_.Write("file", "x") + "/below.mp3", record));
  EXPECT_EQ(record.Title, "kept");
}

TEST_F(ReadTagV1Test, FoldersAndFifosAreNoSongsAndDoNotBlock) {
  TTagRecord record;
  EXPECT_FALSE(ReadTagV1(folder_.Folder("folder.mp3"), record));
  EXPECT_EQ(record.Title, "folder.mp3");
  ASSERT_EQ(::mkfifo(folder_.Path("fifo.mp3").c_str(), 0600), 0);
  EXPECT_FALSE(ReadTagV1(folder_.Path("fifo.mp3"), record));
  EXPECT_EQ(record.Title, "fifo.mp3");
}

TEST(GenreNames, TableAsTheListShowsIt) {
  ASSERT_EQ(GenreNames.size(), 149u);
  EXPECT_EQ(GenreNames[0], "ブルース");
  EXPECT_EQ(GenreNames[29], "Juzz+Funk");
  EXPECT_EQ(GenreNames[85], "Bedob");
  EXPECT_EQ(GenreNames[90], "Avantagarde");
  EXPECT_EQ(GenreNames[127], "Drum & Bass");
  EXPECT_EQ(GenreNames[146], "Ｊポップ");
  EXPECT_EQ(GenreNames[147], "Synthpop");
  EXPECT_EQ(GenreNames[148], "");
  for (std::size_t i = 0; i < kNoGenre; ++i) EXPECT_FALSE(GenreNames[i].empty()) << i;
  EXPECT_EQ(GenreName(17), "ロック");
  EXPECT_EQ(GenreName(148), "");
  EXPECT_EQ(GenreName(255), "");
}

}  // namespace
}  // namespace orvana::app
