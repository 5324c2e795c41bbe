#include "player/riff_chunks.h"

#include <gtest/gtest.h>

#include "info_scan.h"
#include "tag_builders.h"

namespace orvana::player {
namespace {

using namespace testing;
using TLines = std::vector<std::string>;

const TLines kFfmpegLines = {"IART=Wave Artist", "ICMT=wave comment", "ICRD=2003", "IGNR=Rock",
                             "INAM=Wave Song",   "IPRD=Wave Album",   "ISFT=Lavf59.27.100"};

TEST(RiffInfo, FfmpegWavePutsItsInfoListBeforeTheData) {
  for (const bool seekable : {true, false}) {
    const TInfoScan scan(Fixture("ffmpeg-info.wav"), seekable);
    EXPECT_TRUE(scan.info.FoundTypes().Has(mitRiff));
    EXPECT_EQ(scan.info.DataStart(), 212);
    EXPECT_EQ(scan.info.DataSize(), 1881);
    EXPECT_EQ(scan.info.RiffValues().Lines(), kFfmpegLines);
    EXPECT_EQ(scan.info.Title(), "Wave Song");
    EXPECT_EQ(scan.info.Year(), "2003");
    EXPECT_EQ(scan.info.Comment(), "wave comment");
    EXPECT_EQ(scan.info.Genre(), "Rock");
  }
}

TEST(RiffInfo, InfoListAfterAnOddSizedDataChunkIsFoundAtTheTail) {
  const TInfoScan scan(Fixture("riff-tail-info.wav"));
  EXPECT_EQ(scan.info.DataStart(), 58);
  EXPECT_EQ(scan.info.DataSize(), 1881);
  EXPECT_EQ(scan.info.RiffValues().Lines(), (TLines{"INAM=Tail Title", "IART=Tail Artist"}));
  // The tail is not read on a stream that cannot seek.
  EXPECT_TRUE(TInfoScan(Fixture("riff-tail-info.wav"), false).info.RiffValues().Empty());
}

TEST(RiffInfo, Id3SubChunkEndsTheList) {
  const TInfoScan scan(Fixture("riff-iid3.wav"));
  EXPECT_TRUE(scan.info.FoundTypes().Has(mitRiff));
  EXPECT_TRUE(scan.info.RiffValues().Empty());
}

TEST(RiffInfo, StreamedWaveSizesAreCutToTheFile) {
  const TBytes bytes = Fixture("ffmpeg-streamed.wav");
  const TInfoScan scan(bytes);
  EXPECT_TRUE(scan.info.FoundTypes().Has(mitRiff));
  EXPECT_EQ(scan.info.DataStart(), 110);
  EXPECT_EQ(scan.info.DataSize(), static_cast<std::int64_t>(bytes.size()) - 110);
  EXPECT_EQ(scan.info.Title(), "Streamed");
  // Without the file's size the claim stands.
  EXPECT_EQ(TInfoScan(bytes, false).info.DataSize(), 0xFFFFFFFF);
}

std::string Wave(const std::string& chunks) {
  const std::string body = "WAVE" + chunks;
  return "RIFF" + LittleEndian(static_cast<std::uint32_t>(body.size())) + body;
}

TEST(RiffInfo, ChunkOfSizeZeroOrWithoutDataEndsTheSearch) {
  const std::string empty = "junk" + LittleEndian(0);
  const TInfoScan zero(Bytes(Wave(empty + RiffChunk("data", Audio()))));
  EXPECT_FALSE(zero.info.FoundTypes().Has(mitRiff));
  EXPECT_EQ(zero.info.DataStart(), 0);
  const TInfoScan noData(Bytes(Wave(RiffChunk("fmt ", std::string(16, 'f')))));
  EXPECT_FALSE(noData.info.FoundTypes().Has(mitRiff));
  const TInfoScan emptyData(Bytes(Wave("data" + LittleEndian(0))));
  EXPECT_FALSE(emptyData.info.FoundTypes().Has(mitRiff));
}

TEST(RiffInfo, TextLargerThanTheRingIsPassedAndTheNextOneKept) {
  const std::string info = "INFO" + RiffChunk("ICMT", std::string(300, 'c')) + RiffChunk("INAM", "Short\0");
  const std::string wave = Wave(RiffChunk("data", Audio()) + RiffChunk("LIST", info));
  const TInfoScan scan(Bytes(wave), true, 128);
  EXPECT_EQ(scan.info.RiffValues().Lines(), (TLines{"INAM=Short"}));
}

TEST(RiffInfo, EmptyKeysAndValuesAreLeftOut) {
  const std::string info = "INFO" + RiffChunk("INAM", std::string(4, '\0')) + RiffChunk(std::string(4, '\0'), "v") +
                           RiffChunk("IART", "Artist");
  const TInfoScan scan(Bytes(Wave(RiffChunk("data", Audio()) + RiffChunk("LIST", info))));
  EXPECT_EQ(scan.info.RiffValues().Lines(), (TLines{"IART=Artist"}));
}

TEST(RiffInfo, FindChunkMatchesTheListType) {
  const std::string chunks = RiffChunk("LIST", "adtl" + RiffChunk("labl", "x")) + RiffChunk("LIST", "INFO");
  TMemoryStream stream(Bytes(chunks));
  TMPStreamReader reader(65536);
  reader.Open(&stream, true);
  ASSERT_TRUE(FindChunk(reader, "LIST", "INFO"));
  EXPECT_EQ(reader.Position(), static_cast<std::int64_t>(chunks.size()) - 12);
}

}  // namespace
}  // namespace orvana::player
