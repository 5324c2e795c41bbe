#include "engine/layer3_requantize.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace orvana::engine {
namespace {

class Requantization : public ::testing::Test {
 protected:
  void SetUp() override {
    BuildLayer3Tables(tables);
    SetupBandLayout(layout, VersionRow::kMpeg1, 0, 32);
    info.global_gain = 150;  // factor 1.0 with scale factor 0
  }
  int Run(int count) {
    lines.assign(576, 99.0f);  // stale values must not survive
    Requantize(quantized.data(), lines.data(), count, sf, info, layout, tables, band);
    return count;
  }
  Layer3Tables tables;
  Layer3BandLayout layout;
  GranuleChannelInfo info;
  ScaleFactors sf;
  StereoBandInfo band;
  std::vector<int32_t> quantized = std::vector<int32_t>(576, 0);
  std::vector<float> lines;
};

TEST_F(Requantization, PowerLawAtUnitGain) {
  quantized[0] = 1;
  quantized[1] = 8;
  quantized[2] = -8;
  quantized[3] = 40;
  quantized[4] = -8206;
  quantized[5] = 31;
  EXPECT_EQ(Run(6), 6);
  EXPECT_FLOAT_EQ(lines[0], 1.0f);
  EXPECT_FLOAT_EQ(lines[1], 16.0f);
  EXPECT_FLOAT_EQ(lines[2], -16.0f);
  EXPECT_NEAR(lines[3], 40 * std::cbrt(40.0), 1e-3);
  EXPECT_NEAR(lines[4], -8206 * std::cbrt(8206.0), 0.5);
  EXPECT_NEAR(lines[5], 31 * std::cbrt(31.0), 1e-3);
  for (int i = 6; i < 576; ++i) ASSERT_EQ(lines[i], 0.0f) << i;
  EXPECT_EQ(band.isShort, 0);
  EXPECT_EQ(band.longBandCount, 22);
  EXPECT_EQ(band.shortStartBand, 12);
  EXPECT_EQ(band.lastBand, 1) << "line 5 lies in band 1 (lines 4..7)";
}

TEST_F(Requantization, GainScaleFactorsAndPreEmphasis) {
  info.global_gain = 154;  // 2^1
  info.scalefac_scale = 1;
  info.preflag = 1;
  sf.longBands[0] = 1;  // 2^-1
  sf.longBands[17] = 2;  // with pre-emphasis 3: 2^-5
  quantized[0] = 1;
  quantized[layout.longBandEnd[16]] = 1;
  Run(576);
  EXPECT_FLOAT_EQ(lines[0], 1.0f);
  EXPECT_FLOAT_EQ(lines[layout.longBandEnd[16]], 2.0f / 32.0f);
  EXPECT_EQ(band.lastBand, 17);
}

TEST_F(Requantization, OffsetGainsReachTheTableEnds) {
  quantized[0] = 1;
  info.global_gain = -6;
  Run(4);
  EXPECT_FLOAT_EQ(lines[0], std::pow(2.0f, -39.0f));
  info.global_gain = 255;
  Run(4);
  EXPECT_NEAR(lines[0], std::pow(2.0, 105 / 4.0), 1e20);
}

TEST_F(Requantization, ShortBlocksInterleaveTheWindows) {
  info.block_type = 2;
  info.subblock_gain[1] = 1;  // window 1 at 2^-2
  // Short band 1 (4 lines a window from line 12): window-major in the bitstream.
  const int start = 12;
  quantized[start + 0 * 4 + 2] = 1;  // window 0, line 2
  quantized[start + 1 * 4 + 0] = 1;  // window 1, line 0
  quantized[start + 2 * 4 + 3] = -1;  // window 2, line 3
  const int count = Run(24);
  EXPECT_EQ(count, 24);
  EXPECT_FLOAT_EQ(lines[start + 3 * 2 + 0], 1.0f);
  EXPECT_FLOAT_EQ(lines[start + 3 * 0 + 1], 0.25f);
  EXPECT_FLOAT_EQ(lines[start + 3 * 3 + 2], -1.0f);
  EXPECT_EQ(lines[start + 2], 0.0f);
  EXPECT_EQ(band.isShort, 1);
  EXPECT_EQ(band.longBandCount, 0);
  EXPECT_EQ(band.shortStartBand, 0);
  EXPECT_EQ(band.lastWindowBand[0], 1);
  EXPECT_EQ(band.lastBand, 1);
}

TEST_F(Requantization, MixedBlocksKeepTheirLongBands) {
  info.block_type = 2;
  info.mixed_block_flag = 1;
  quantized[35] = 1;  // last line of long band 7
  quantized[36 + 4 * 2 + 1] = 1;  // short band 3, window 2, line 1
  const int count = Run(60);
  EXPECT_EQ(count, 66) << "whole short bands: band 4 ends at line 66";
  EXPECT_FLOAT_EQ(lines[35], 1.0f);
  EXPECT_FLOAT_EQ(lines[36 + 3 * 1 + 2], 1.0f);
  EXPECT_EQ(band.longBandCount, 8);
  EXPECT_EQ(band.shortStartBand, 3);
  EXPECT_EQ(band.lastWindowBand[2], 3);
  EXPECT_EQ(band.lastWindowBand[0], 3) << "starts at the first short band";
}

TEST_F(Requantization, MixedBlockBoundInsideTheLongPart) {
  info.block_type = 2;
  info.mixed_block_flag = 1;
  quantized[2] = 1;
  const int count = Run(4);
  EXPECT_FLOAT_EQ(lines[2], 1.0f);
  EXPECT_EQ(count, 36) << "the short part starts at its own boundary";
  for (int i = 3; i < 576; ++i) ASSERT_EQ(lines[i], 0.0f);
}

}  // namespace
}  // namespace orvana::engine
