#include "engine/layer3_scale_factors.h"

#include <gtest/gtest.h>

#include <vector>

#include "bit_writer.h"

namespace orvana::engine {
namespace {

using testing::BitWriter;

// Values 1, 2, 3 ... each written with the given widths.
std::vector<uint8_t> Counting(const std::vector<int>& widths) {
  BitWriter w;
  for (size_t i = 0; i < widths.size(); ++i) w.Put(static_cast<uint32_t>(i + 1) & ((1u << widths[i]) - 1), widths[i]);
  return w.Bytes(w.bitCount() / 8 + 8);
}

TEST(ScaleFactorsMpeg1, LongBlockGroupsAndScfsiSharing) {
  GranuleChannelInfo info;
  info.scalefac_compress = 15;  // slen1 4, slen2 3
  ScaleFactors first;
  for (int b = 0; b < 21; ++b) first.longBands[b] = 100 + b;

  // Granule 1 with scfsi 1010: groups 0 and 2 copied, 1 (5 bands of 4 bits) and 3 (5 of 3) read.
  std::vector<int> widths(5, 4);
  widths.insert(widths.end(), 5, 3);
  const std::vector<uint8_t> bytes = Counting(widths);
  Layer3BitReader reader;
  reader.Start(bytes.data());
  ScaleFactors sf;
  ReadScaleFactorsMpeg1(reader, sf, info, 0xA, 1, first);
  EXPECT_EQ(reader.Position(), 5 * 4 + 5 * 3);
  for (int b = 0; b < 6; ++b) EXPECT_EQ(sf.longBands[b], 100 + b);
  for (int b = 6; b < 11; ++b) EXPECT_EQ(sf.longBands[b], b - 5);
  for (int b = 11; b < 16; ++b) EXPECT_EQ(sf.longBands[b], 100 + b);
  for (int b = 16; b < 21; ++b) EXPECT_EQ(sf.longBands[b], (b - 10) & 7);
  EXPECT_EQ(sf.longBands[21], 0);

  // In granule 0 scfsi means nothing.
  reader.Start(bytes.data());
  ReadScaleFactorsMpeg1(reader, sf, info, 0xF, 0, first);
  EXPECT_EQ(reader.Position(), 11 * 4 + 10 * 3);
}

TEST(ScaleFactorsMpeg1, ShortAndMixedBlocks) {
  GranuleChannelInfo info;
  info.block_type = 2;
  info.scalefac_compress = 13;  // slen1 3, slen2 3
  const ScaleFactors none;
  std::vector<int> widths(36, 3);
  const std::vector<uint8_t> bytes = Counting(widths);
  Layer3BitReader reader;
  reader.Start(bytes.data());
  ScaleFactors sf;
  ReadScaleFactorsMpeg1(reader, sf, info, 0, 0, none);
  EXPECT_EQ(reader.Position(), 36 * 3);
  EXPECT_EQ(sf.shortBands[0][0], 1);
  EXPECT_EQ(sf.shortBands[1][0], 2);
  EXPECT_EQ(sf.shortBands[2][0], 3);
  EXPECT_EQ(sf.shortBands[2][11], 36 & 7);
  EXPECT_EQ(sf.shortBands[0][12], 0);

  info.mixed_block_flag = 1;
  info.scalefac_compress = 5;  // slen1 1, slen2 1
  reader.Start(bytes.data());
  ScaleFactors mixed;
  ReadScaleFactorsMpeg1(reader, mixed, info, 0, 0, none);
  EXPECT_EQ(reader.Position(), 8 + 9 * 3) << "8 long bands, short bands 3..11";
  EXPECT_EQ(mixed.shortBands[0][0], 0) << "short bands below 3 are not coded";
}

TEST(ScaleFactorsMpeg1, ZeroLengthsReadNothing) {
  GranuleChannelInfo info;
  info.scalefac_compress = 0;
  const uint8_t bytes[8] = {0xFF, 0xFF, 0xFF, 0xFF};
  Layer3BitReader reader;
  reader.Start(bytes);
  ScaleFactors sf;
  for (int& v : sf.longBands) v = 9;
  ReadScaleFactorsMpeg1(reader, sf, info, 0, 0, sf);
  EXPECT_EQ(reader.Position(), 0);
  EXPECT_EQ(sf.longBands[20], 0);
}

TEST(ScaleFactorsLsf, MixedBlockWithPreflagCoding) {
  GranuleChannelInfo info;
  info.block_type = 2;
  info.mixed_block_flag = 1;
  info.scalefac_compress = 505;  // v = 5: slen (1, 1, 2, 0), counts 6, 3, 6, 0
  std::vector<int> widths(6, 1);
  widths.insert(widths.end(), 9, 1);
  widths.insert(widths.end(), 18, 2);
  const std::vector<uint8_t> bytes = Counting(widths);
  Layer3BitReader reader;
  reader.Start(bytes.data());
  ScaleFactors sf;
  LsfIntensityInfo lsf;
  ReadScaleFactorsLsf(reader, sf, info, false, lsf);
  EXPECT_EQ(info.preflag, 1);
  EXPECT_EQ(reader.Position(), 6 + 9 + 36);
  EXPECT_EQ(sf.longBands[5], 6 & 1);
  EXPECT_EQ(sf.shortBands[0][3], 7 & 1);
  EXPECT_EQ(sf.shortBands[0][6], 16 & 3);
  EXPECT_EQ(sf.shortBands[2][11], 33 & 3);
}

TEST(ScaleFactorsLsf, IntensityCodingOfTheRightChannel) {
  GranuleChannelInfo info;
  info.scalefac_compress = 361;  // sfc 180: case 4, slen (0, 0, 0, 0)
  const uint8_t bytes[8] = {0xFF, 0xFF};
  Layer3BitReader reader;
  reader.Start(bytes);
  ScaleFactors sf;
  LsfIntensityInfo lsf;
  ReadScaleFactorsLsf(reader, sf, info, true, lsf);
  EXPECT_EQ(reader.Position(), 0);
  EXPECT_EQ(lsf.intensityScale, 1);
  EXPECT_EQ(lsf.bandCount[0], 6);
  EXPECT_EQ(lsf.bandCount[1], 6);
  EXPECT_EQ(lsf.bandCount[2], 6);
  EXPECT_EQ(lsf.slen[0], 0);
  EXPECT_EQ(info.preflag, 0);

  info.scalefac_compress = 2 * (36 * 2 + 6 * 3 + 4);  // case 3: slen (2, 3, 4)
  std::vector<int> widths(7, 2);
  widths.insert(widths.end(), 7, 3);
  widths.insert(widths.end(), 7, 4);
  const std::vector<uint8_t> coded = Counting(widths);
  reader.Start(coded.data());
  ReadScaleFactorsLsf(reader, sf, info, true, lsf);
  EXPECT_EQ(reader.Position(), 7 * 2 + 7 * 3 + 7 * 4);
  EXPECT_EQ(lsf.slen[0], 2);
  EXPECT_EQ(lsf.slen[1], 3);
  EXPECT_EQ(lsf.slen[2], 4);
  EXPECT_EQ(lsf.intensityScale, 0);
  EXPECT_EQ(sf.longBands[20], 21 & 15);
}

TEST(ScaleFactorsLsf, EveryCodingCoversTheBandsOnce) {
  for (int codingCase = 0; codingCase < 6; ++codingCase) {
    const int8_t* longCounts = kLsfBandCounts[codingCase][0];
    const int8_t* shortCounts = kLsfBandCounts[codingCase][1];
    const int8_t* mixedCounts = kLsfBandCounts[codingCase][2];
    EXPECT_EQ(longCounts[0] + longCounts[1] + longCounts[2] + longCounts[3], 21);
    EXPECT_EQ(shortCounts[0] + shortCounts[1] + shortCounts[2] + shortCounts[3], 12);
    EXPECT_EQ(mixedCounts[0], 6);
    EXPECT_EQ(3 + mixedCounts[1] + mixedCounts[2] + mixedCounts[3], 12);
  }
}

}  // namespace
}  // namespace orvana::engine
