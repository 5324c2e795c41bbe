// ID3v2.2 tags, and ID3v2.2 and 2.3 tags unsynchronised as a whole.
#include <gtest/gtest.h>

#include "info_scan.h"
#include "tag_builders.h"

namespace orvana::player {
namespace {

using namespace testing;
using TLines = std::vector<std::string>;

TLines Lines(const TInfoScan& scan) { return scan.info.ID3v2Values().Lines(); }

TEST(ID3v22Tag, FramesOfBothEncodings) {
  const std::string frames = ID3v22Frame("TT2", std::string("\0Title", 6)) +
                             ID3v22Frame("TP1", std::string("\1\xFE\xFF\x6B\x4C\x62\x4B", 7)) +
                             ID3v22Frame("COM", std::string("\1eng\xFF\xFE\0\0\xFF\xFEh\0i\0", 14)) +
                             ID3v22Frame("WXX", std::string("\0desc\0http://example.org", 24)) +
                             ID3v22Frame("TYE", std::string("\0" "1987", 5)) + std::string(12, '\0');
  const TInfoScan scan(Bytes(ID3v2Tag(frames, 2) + Audio()));
  EXPECT_EQ(Lines(scan), (TLines{"TT2=Title", "TP1=歌手", "COM=hi", "WXX=http://example.org", "TYE=1987"}));
}

TEST(ID3v2WholeTagUnsync, Version23WithExtendedHeaderAndVersion22) {
  const std::string title = ID3v23Frame("TIT2", std::string("\1\xFF\xFE\xFF\0", 5));
  const std::string extended = BigEndian(6) + std::string(6, '\0');
  const std::string stored23 = Unsynchronised(extended + title + std::string(4, '\0'));
  const TInfoScan v23(Bytes(ID3v2Tag(stored23, 3, '\xC0') + Audio()));
  EXPECT_EQ(Lines(v23), (TLines{"TIT2=ÿ"}));
  EXPECT_EQ(v23.info.DataStart(), static_cast<std::int64_t>(stored23.size()) + 10);

  const std::string stored22 = Unsynchronised(ID3v22Frame("TT2", std::string("\1\xFF\xFE\xFF\0", 5)));
  EXPECT_EQ(Lines(TInfoScan(Bytes(ID3v2Tag(stored22, 2, '\x80') + Audio()))), (TLines{"TT2=ÿ"}));
}

TEST(ID3v2WholeTagUnsync, LastByteOfTheBodyIs0xFF) {
  // Kept as it is, both when written without its 0x00 and with it.
  const std::string frame = ID3v23Frame("TIT2", std::string("\0A\xFF", 3));
  for (const std::string& stored : {frame, Unsynchronised(frame)}) {
    const std::string tag = ID3v2Tag(stored, 3, '\x80');
    const TInfoScan scan(Bytes(tag + Audio()));
    ASSERT_EQ(scan.info.ID3v2Values().Count(), 1u);
    EXPECT_EQ(scan.info.ID3v2Values().Value("TIT2").substr(0, 1), "A");
    EXPECT_EQ(scan.info.DataStart(), static_cast<std::int64_t>(tag.size()));
  }
}

TEST(ID3v2WholeTagUnsync, CutOrOversizedTagsAreNotRead) {
  const std::string stored = Unsynchronised(ID3v23Frame("TIT2", std::string("\0Title\xFF", 7)));
  const std::string tag = ID3v2Tag(stored, 3, '\x80');
  for (std::size_t cut = 10; cut < tag.size(); ++cut) {
    for (const bool seekable : {true, false}) {
      const TInfoScan scan(Bytes(tag.substr(0, cut)), seekable);
      EXPECT_TRUE(Lines(scan).empty()) << cut;
      EXPECT_FALSE(scan.info.FoundTypes().Has(mitID3V2)) << cut;
    }
  }
  // Past the bound of what is undone in memory: passed whole, unread.
  constexpr std::uint32_t kOversized = (16 << 20) + 1;
  std::string big = ID3v2Tag(stored, 3, '\x80');
  big.replace(6, 4, Syncsafe(kOversized));
  big.resize(10 + kOversized, '\0');
  const TInfoScan scan(Bytes(big + Audio()), false);
  EXPECT_TRUE(Lines(scan).empty());
  EXPECT_EQ(scan.info.DataStart(), 10 + kOversized);
}

}  // namespace
}  // namespace orvana::player
