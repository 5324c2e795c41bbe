// The tags at the end of a file: ID3v1 / ID3v1.1 and Lyrics3 in front of it.
#include <gtest/gtest.h>

#include "info_scan.h"
#include "player/id3_genre_names.h"
#include "tag_builders.h"

namespace orvana::player {
namespace {

using namespace testing;
using TLines = std::vector<std::string>;

TEST(ID3v1Tag, Version11ToolTagGivesItsTrack) {
  const TInfoScan scan(Fixture("eyed3-v11.mp3"));
  EXPECT_TRUE(scan.info.FoundTypes().Has(mitID3V1));
  EXPECT_EQ(scan.info.ID3v1Values().Lines(), (TLines{"TITLE=Title", "ARTIST=Artist", "ALBUM=Album", "YEAR=",
                                                     "COMMENT=", "GENRE=Rock", "GENREIDX=17", "TRACK=7"}));
  EXPECT_EQ(scan.info.ID3v1Position(), 2009 - 128);
  // The tag is not taken off the data; the player passes over it.
  EXPECT_EQ(scan.info.DataSize(), 2009);
}

TEST(ID3v1Tag, Cp932TextsOfAJapaneseTaggerBecomeUtf8) {
  const TInfoScan scan(Fixture("v1-cp932.mp3"));
  EXPECT_EQ(scan.info.ID3v1Values().Lines(), (TLines{"TITLE=夜の歌", "ARTIST=歌手", "ALBUM=アルバム", "YEAR=1998",
                                                     "COMMENT=ｺﾒﾝﾄ", "GENRE=Anime(J)", "GENREIDX=255", "TRACK=3"}));
}

TEST(ID3v1Tag, GenreBytesBeyondTheListGiveEmptyNames) {
  const TInfoScan scan(Bytes(Audio() + ID3v1Tag("T", 200, 0)));
  EXPECT_EQ(scan.info.ID3v1Values().Value("GENRE"), "");
  EXPECT_EQ(scan.info.ID3v1Values().Value("GENREIDX"), "200");
  EXPECT_EQ(scan.info.ID3v1Values().Value("TRACK"), "0");
}

TEST(ID3v1Tag, Version10CommentFillingByte125HasNoTrack) {
  const TInfoScan scan(Bytes(Audio() + ID3v1Tag("T", 1, -1, std::string(30, 'c'))));
  EXPECT_EQ(scan.info.ID3v1Values().Count(), 7u);
  EXPECT_EQ(scan.info.ID3v1Values().Value("COMMENT"), std::string(30, 'c'));
  EXPECT_EQ(scan.info.ID3v1Values().Value("TRACK"), "");
}

TEST(ID3v1Tag, FileTooShortOrWithoutTagHasNone) {
  EXPECT_FALSE(TInfoScan(Bytes("TAG" + std::string(100, 'x'))).info.FoundTypes().Has(mitID3V1));
  EXPECT_FALSE(TInfoScan(Fixture("plain.mp3")).info.FoundTypes().Has(mitID3V1));
  // A bare 128-byte tag is a whole file of tag.
  EXPECT_TRUE(TInfoScan(Bytes(ID3v1Tag("Only", 0, 1))).info.FoundTypes().Has(mitID3V1));
}

TEST(ID3GenreNames, TableAsThePlayerShowsIt) {
  EXPECT_EQ(ID3GenreNames[0], "Blues");
  EXPECT_EQ(ID3GenreNames[17], "Rock");
  EXPECT_EQ(ID3GenreNames[128], "Hardcore");
  EXPECT_EQ(ID3GenreNames[129], "Club-House");
  EXPECT_EQ(ID3GenreNames[147], "Synthpop");
  EXPECT_EQ(ID3GenreNames[248], "Heavy Rock(J)");
  EXPECT_EQ(ID3GenreNames[255], "Anime(J)");
  int named = 0;
  for (std::size_t i = 0; i < ID3GenreNames.size(); ++i) {
    if (!ID3GenreNames[i].empty()) ++named;
    if (i >= 148 && i <= 247) {
      EXPECT_TRUE(ID3GenreNames[i].empty()) << i;
    }
  }
  EXPECT_EQ(named, 156);
}

const TLines kLyrics2Lines = {"IND=10", "LYR=[00:01]Lyric line\r\n", "ETT=Lyrics Title", "EAR=Lyrics Artist"};

TEST(Lyrics3, Version1TextBeforeTheID3v1Tag) {
  const TInfoScan scan(Fixture("lyrics3v1.mp3"));
  EXPECT_TRUE(scan.info.FoundTypes().Has(mitLyrics));
  EXPECT_EQ(scan.info.LyricsValues().Lines(), (TLines{"LYRICS=[00:01]First line\r\n[00:02]Second line"}));
  EXPECT_EQ(scan.info.LyricsPosition(), 1881);
}

TEST(Lyrics3, Version2IsFoundThroughTheID3v1PositionOrAtTheEnd) {
  const TInfoScan tagged(Fixture("lyrics3v2.mp3"));
  EXPECT_TRUE(tagged.info.FoundTypes().Has(mitLyrics));
  EXPECT_EQ(tagged.info.LyricsValues().Lines(), kLyrics2Lines);
  EXPECT_EQ(tagged.info.LyricsPosition(), 1881);
  const TInfoScan untagged(Fixture("lyrics3v2-notag.mp3"));
  EXPECT_FALSE(untagged.info.FoundTypes().Has(mitID3V1));
  EXPECT_TRUE(untagged.info.FoundTypes().Has(mitLyrics));
  EXPECT_EQ(untagged.info.LyricsValues().Lines(), kLyrics2Lines);
}

std::string Lyrics2Block(const std::string& fields, const std::string& size) {
  return "LYRICSBEGIN" + fields + size + "LYRICS200";
}

TEST(Lyrics3, BrokenVersion2FieldsEndTheBlockAndKeepEarlierLines) {
  const std::string good = "IND00002" "10";
  const auto scan = [&](const std::string& fields, const char* size = nullptr) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%06zu", 11 + fields.size());
    return TInfoScan(Bytes(Audio() + Lyrics2Block(fields, size ? size : digits)));
  };
  const TInfoScan badLength = scan(good + "LYR0x005hello");
  EXPECT_FALSE(badLength.info.FoundTypes().Has(mitLyrics));
  EXPECT_EQ(badLength.info.LyricsValues().Lines(), (TLines{"IND=10"}));
  const TInfoScan zeroLength = scan(good + "LYR00000");
  EXPECT_FALSE(zeroLength.info.FoundTypes().Has(mitLyrics));
  const TInfoScan pastEnd = scan(good + "LYR00099hello");
  EXPECT_FALSE(pastEnd.info.FoundTypes().Has(mitLyrics));
  EXPECT_EQ(pastEnd.info.LyricsValues().Lines(), (TLines{"IND=10"}));
  EXPECT_FALSE(scan(good, "00x019").info.FoundTypes().Has(mitLyrics));
  EXPECT_FALSE(scan(good, "999999").info.FoundTypes().Has(mitLyrics));
  EXPECT_FALSE(scan(good, "000005").info.FoundTypes().Has(mitLyrics));
  EXPECT_TRUE(scan(good).info.FoundTypes().Has(mitLyrics));
}

TEST(Lyrics3, Version1WithoutItsBeginMarkerIsNotRead) {
  const TInfoScan scan(Bytes(Audio() + "no begin marker LYRICSEND"));
  EXPECT_FALSE(scan.info.FoundTypes().Has(mitLyrics));
  EXPECT_TRUE(scan.info.LyricsValues().Empty());
}

TEST(MacBinary, TagsAreLookedForAtTheEndOfTheDataFork) {
  const TInfoScan scan(Fixture("macbinary.bin"));
  EXPECT_TRUE(scan.info.FoundTypes().Has(mitMacBin));
  EXPECT_TRUE(scan.info.FoundTypes().Has(mitID3V1));
  EXPECT_EQ(scan.info.DataStart(), 128);
  EXPECT_EQ(scan.info.DataSize(), 1881 + 128);
  EXPECT_EQ(scan.info.Title(), "Fork Title");
  EXPECT_EQ(scan.info.ID3v1Position(), 128 + 1881);
}

std::string MacBinaryHeader(std::uint32_t dataFork, int nameLength = 8) {
  std::string header(128, '\0');
  header[1] = static_cast<char>(nameLength);
  header.replace(83, 4, BigEndian(dataFork));
  return header;
}

TEST(MacBinary, ID3v2InsideTheDataForkIsTakenOffTheForkLength) {
  const std::string tag = ID3v2Tag(ID3v23Frame("TIT2", std::string("\0Mac", 4)));
  const std::string fork = tag + Audio();
  const TInfoScan scan(Bytes(MacBinaryHeader(static_cast<std::uint32_t>(fork.size())) + fork));
  EXPECT_TRUE(scan.info.FoundTypes().Has(mitMacBin));
  EXPECT_EQ(scan.info.DataStart(), static_cast<std::int64_t>(128 + tag.size()));
  EXPECT_EQ(scan.info.DataSize(), static_cast<std::int64_t>(Audio().size()));
  EXPECT_EQ(scan.info.Title(), "Mac");
}

TEST(MacBinary, TagLongerThanTheDataForkLeavesNoData) {
  const std::string tag = ID3v2Tag(ID3v23Frame("TIT2", std::string("\0Mac", 4)));
  for (const bool seekable : {true, false}) {
    const TInfoScan scan(Bytes(MacBinaryHeader(10) + tag + Audio()), seekable);
    EXPECT_TRUE(scan.info.FoundTypes().Has(mitID3V2));
    EXPECT_EQ(scan.info.DataSize(), 0);
  }
}

TEST(MacBinary, HeaderRulesAreChecked) {
  const std::string fork = Audio();
  const auto found = [&](std::string header) {
    return TInfoScan(Bytes(header + fork)).info.FoundTypes().Has(mitMacBin);
  };
  EXPECT_TRUE(found(MacBinaryHeader(400)));
  EXPECT_FALSE(found(MacBinaryHeader(400, 0)));
  EXPECT_FALSE(found(MacBinaryHeader(400, 32)));
  EXPECT_FALSE(found(MacBinaryHeader(0x80000000)));
  std::string flagged = MacBinaryHeader(400);
  flagged[74] = 1;
  EXPECT_FALSE(found(flagged));
  // A fork longer than the file: the data is what the file holds.
  const TInfoScan longFork(Bytes(MacBinaryHeader(100000) + fork));
  EXPECT_EQ(longFork.info.DataSize(), static_cast<std::int64_t>(fork.size()));
}

}  // namespace
}  // namespace orvana::player
