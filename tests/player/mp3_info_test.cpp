#include "player/mp3_info.h"

#include <gtest/gtest.h>

#include "info_scan.h"
#include "player/assertion.h"
#include "tag_builders.h"

namespace orvana::player {
namespace {

using namespace testing;

TEST(MP3InfoExtent, TagsMoveTheDataStartAndShortenTheData) {
  struct TCase {
    const char* file;
    std::int64_t start;
    std::int64_t size;
  };
  for (const TCase& c : {TCase{"plain.mp3", 0, 1881}, TCase{"eyed3-v24.mp3", 303, 1881},
                         TCase{"v22.mp3", 46, 1881}, TCase{"v23-unsync.mp3", 57, 1881},
                         TCase{"v23-extended.mp3", 127, 1881}, TCase{"eyed3-v23-latin1.mp3", 375, 2009},
                         TCase{"v23-stray.mp3", 31, 1881}, TCase{"v24-footer.mp3", 37, 1881},
                         TCase{"v24-unsync.mp3", 113, 1881}}) {
    const TInfoScan scan(Fixture(c.file));
    EXPECT_EQ(scan.info.DataStart(), c.start) << c.file;
    EXPECT_EQ(scan.info.DataSize(), c.size) << c.file;
    EXPECT_EQ(scan.info.FoundTypes().Has(mitID3V2), c.start > 0) << c.file;
    EXPECT_TRUE(scan.headResult);
    EXPECT_TRUE(scan.tailResult);
  }
}

TEST(MP3InfoExtent, WithoutSeekingTheSizeStaysUnknown) {
  const TInfoScan scan(Fixture("eyed3-v24.mp3"), false);
  EXPECT_EQ(scan.info.DataStart(), 303);
  EXPECT_FALSE(scan.info.DataSizeKnown());
  EXPECT_EQ(scan.reader.Position(), 303);
  EXPECT_FALSE(scan.tailResult);
  TInfoScan again(Fixture("eyed3-v24.mp3"), false);
  EXPECT_FALSE(again.info.ScanTail());
}

TEST(MP3InfoExtent, HeadScanOfAnEmptyStreamOrAWholeFileTag) {
  EXPECT_FALSE(TInfoScan(TBytes{}).headResult);
  const TInfoScan wholeFile(Bytes(ID3v2Tag(ID3v23Frame("TIT2", std::string("\0All", 4)))));
  EXPECT_FALSE(wholeFile.headResult);
  EXPECT_TRUE(wholeFile.info.FoundTypes().Has(mitID3V2));
  EXPECT_EQ(wholeFile.info.DataSize(), 0);
}

TEST(MP3InfoText, LongestTextWinsAndNeedInfoTypeChoosesTheSources) {
  const TBytes bytes = Fixture("eyed3-v23-latin1.mp3");  // ID3v1 "Song", ID3v2 "Song (Live)"
  EXPECT_EQ(TInfoScan(bytes).info.Title(), "Song (Live)");
  EXPECT_EQ(TInfoScan(bytes, true, 65536, {mitID3V1}).info.Title(), "Song");
  EXPECT_EQ(TInfoScan(bytes, true, 65536, {}).info.Title(), "");
  const TInfoScan scan(bytes);
  EXPECT_EQ(scan.info.Genre(), "Grouping");  // TIT1, not TCON nor ID3v1's "Other"
  EXPECT_EQ(scan.info.Comment(), "v1 comment");  // ID3v2 comments do not count
  EXPECT_EQ(scan.info.Year(), "2001");
  EXPECT_EQ(scan.info.Track(), "1");
}

TEST(MP3InfoText, EqualLengthsGoToTheFirstSourceAndLengthsCountCharacters) {
  const std::string v2 = ID3v2Tag(ID3v23Frame("TIT2", std::string("\0BBBB", 5)) +
                                  ID3v23Frame("TPE1", std::string("\0abcd", 5)));
  // ID3v1 artist in CP932: three characters in six bytes.
  std::string v1 = ID3v1Tag("AAAA", 0, 1);
  v1.replace(33, 6, "\x96\xE9\x82\xCC\x89\xCC");
  const TInfoScan scan(Bytes(v2 + Audio() + v1));
  EXPECT_EQ(scan.info.Title(), "AAAA");
  EXPECT_EQ(scan.info.Artist(), "abcd");
  EXPECT_EQ(scan.info.ID3v1Values().Value("artist"), "夜の歌");
}

TEST(MP3InfoText, ToolWrittenTagsOfBothVersions) {
  const TInfoScan scan(Fixture("id3v2-tool.mp3"));
  EXPECT_EQ(scan.info.Title(), "Tool Title");
  EXPECT_EQ(scan.info.Comment(), "tool comment");
  EXPECT_EQ(scan.info.Genre(), "Rock");
  EXPECT_EQ(scan.info.Track(), "4");
  EXPECT_EQ(scan.info.ID3v2Values().Value("COMM"), "tool comment");
  EXPECT_EQ(scan.info.ID3v2Values().Value("TCON"), "(17)");
}

TEST(MP3InfoText, EachTagVersionNamesItsFrames) {
  const TInfoScan v24(Fixture("eyed3-v24-utf8.mp3"));
  EXPECT_EQ(v24.info.Title(), "夜の歌");
  EXPECT_EQ(v24.info.Artist(), "歌手");
  EXPECT_EQ(v24.info.Album(), "アルバム");
  EXPECT_EQ(v24.info.Genre(), "グループ");
  EXPECT_EQ(v24.info.Comment(), "");  // ID3v2 comments still do not count
  const std::string v22 =
      ID3v22Frame("TT2", std::string("\0Two", 4)) + ID3v22Frame("TP1", std::string("\0Artist", 7)) +
      ID3v22Frame("TAL", std::string("\0Album", 6)) + ID3v22Frame("TYE", std::string("\0" "1990", 5)) +
      ID3v22Frame("TT1", std::string("\0Group", 6)) + ID3v22Frame("TCO", std::string("\0(17)", 5));
  const TInfoScan scan(Bytes(ID3v2Tag(v22, 2) + Audio()));
  EXPECT_EQ(scan.info.Title(), "Two");
  EXPECT_EQ(scan.info.Artist(), "Artist");
  EXPECT_EQ(scan.info.Album(), "Album");
  EXPECT_EQ(scan.info.Year(), "1990");
  EXPECT_EQ(scan.info.Genre(), "Group");
  EXPECT_EQ(scan.info.KnownGenre(), "Group");
}

TEST(MP3InfoText, RecordingTimeGivesItsYear) {
  const TInfoScan dated(Fixture("eyed3-v24-date.mp3"));
  EXPECT_EQ(dated.info.Year(), "2021");
  EXPECT_EQ(dated.info.ID3v2Values().Value("TDRC"), "2021-05-04");
  const auto year = [](const std::string& time) {
    return TInfoScan(Bytes(ID3v2Tag(ID3v24Frame("TDRC", "\3" + time), 4) + Audio())).info.Year();
  };
  EXPECT_EQ(year("2021-05-04T10:00"), "2021");
  EXPECT_EQ(year("1999"), "1999");
  EXPECT_EQ(year("99"), "99");  // not a timestamp: kept as it is
  // Only the year competes with ID3v1's, so a tie goes to ID3v1.
  std::string v1 = ID3v1Tag("T", 0, 1);
  v1.replace(93, 4, "1998");
  EXPECT_EQ(TInfoScan(Bytes(ID3v2Tag(ID3v24Frame("TDRC", "\3" "2021-05"), 4) + Audio() + v1)).info.Year(), "1998");
}

TEST(MP3InfoLifecycle, NewReaderClearsThePreviousResults) {
  TInfoScan scan(Fixture("id3v2-tool.mp3"));
  TMemoryStream stream(Fixture("plain.mp3"));
  TMPStreamReader reader(65536);
  reader.Open(&stream, true);
  scan.info.SetReader(&reader);
  EXPECT_TRUE(scan.info.FoundTypes().Empty());
  EXPECT_TRUE(scan.info.ID3v1Values().Empty());
  EXPECT_TRUE(scan.info.ID3v2Values().Empty());
  EXPECT_EQ(scan.info.DataStart(), 0);
  EXPECT_FALSE(scan.info.DataSizeKnown());
  EXPECT_EQ(scan.info.Title(), "");
  scan.info.Clear();
  EXPECT_THROW(scan.info.ScanHead(), EAssertionFailed);
  EXPECT_THROW(scan.info.ScanTail(), EAssertionFailed);
}

TEST(MP3InfoLifecycle, NeedInfoTypeStartsWithTheThreeTextSources) {
  const TMP3Info info;
  EXPECT_EQ(info.NeedInfoType(), (TMP3InfoType{mitID3V1, mitID3V2, mitRiff}));
  EXPECT_EQ(info.NeedInfoType().Bits(), 0x07);
  EXPECT_EQ(TMP3InfoType::FromBits(0xFF).Bits(), 0x1F);
}

}  // namespace
}  // namespace orvana::player
