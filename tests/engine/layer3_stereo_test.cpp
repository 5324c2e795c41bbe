#include "engine/layer3_stereo.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace orvana::engine {
namespace {

class Stereo : public ::testing::Test {
 protected:
  void SetUp() override {
    BuildLayer3Tables(tables);
    SetupBandLayout(layout, VersionRow::kMpeg1, 0, 32);
    left.assign(576, 0.0f);
    right.assign(576, 0.0f);
  }
  void Run(bool mpeg1 = true) {
    const StereoGranule granule{{left.data(), right.data()},
                                {&count[0], &count[1]},
                                {&bands[0], &bands[1]},
                                &positions,
                                &lsf};
    ProcessStereo(granule, frame, mpeg1, layout, tables);
  }
  void Joint(int modeExtension) {
    frame.mode = 1;
    frame.modeExtension = modeExtension;
    frame.msStereo = modeExtension >> 1;
    frame.intensityStereo = modeExtension & 1;
  }
  int Start(int band) const { return band == 0 ? 0 : layout.longBandEnd[band - 1]; }

  Layer3Tables tables;
  Layer3BandLayout layout;
  Layer3FrameInfo frame;
  std::vector<float> left, right;
  int32_t count[2] = {576, 576};
  StereoBandInfo bands[2];
  ScaleFactors positions;
  LsfIntensityInfo lsf;
};

TEST_F(Stereo, MidSideSumAndDifference) {
  Joint(2);
  left[0] = 3.0f;
  right[0] = 1.0f;
  left[100] = -2.0f;
  count[0] = 4;
  count[1] = 120;
  Run();
  EXPECT_FLOAT_EQ(left[0], 4.0f);
  EXPECT_FLOAT_EQ(right[0], 2.0f);
  EXPECT_FLOAT_EQ(right[100], -2.0f) << "up to the larger bound";
  EXPECT_EQ(count[0], 120) << "bounds aligned";
}

TEST_F(Stereo, IntensityPositionsOfMpeg1LongBlocks) {
  Joint(1);
  bands[1].lastBand = 2;
  positions.longBands[3] = 0;
  positions.longBands[4] = 6;
  positions.longBands[5] = 7;
  positions.longBands[6] = 12;  // beyond 7 counts as 7
  positions.longBands[7] = 3;
  for (int band = 2; band <= 7; ++band) left[Start(band)] = 8.0f;
  right[Start(2)] = 5.0f;
  count[0] = Start(8);
  count[1] = Start(3);
  Run();
  EXPECT_FLOAT_EQ(right[Start(2)], 5.0f) << "bands up to the right channel's last stay";
  EXPECT_FLOAT_EQ(left[Start(3)], 0.0f);
  EXPECT_FLOAT_EQ(right[Start(3)], 8.0f);
  EXPECT_NEAR(left[Start(4)], 8.0f, 1e-5);
  EXPECT_NEAR(right[Start(4)], 0.0f, 1e-5);
  EXPECT_FLOAT_EQ(left[Start(5)], 8.0f);
  EXPECT_FLOAT_EQ(right[Start(5)], 0.0f);
  EXPECT_FLOAT_EQ(right[Start(6)], 0.0f);
  EXPECT_NEAR(left[Start(7)] + right[Start(7)], 8.0f, 1e-5) << "tan ratio of position 3: equal parts";
  EXPECT_NEAR(left[Start(7)], 4.0f, 1e-5);
  EXPECT_EQ(count[1], count[0]);
}

TEST_F(Stereo, IntensityStopsAtTheLeftBoundAndStartsAboveBandZero) {
  Joint(1);
  bands[1].lastBand = 0;  // right silent
  left[0] = 8.0f;
  left[Start(1)] = 8.0f;
  left[Start(3)] = 8.0f;
  count[0] = Start(2);
  count[1] = 0;
  Run();
  EXPECT_FLOAT_EQ(left[0], 8.0f);
  EXPECT_FLOAT_EQ(right[0], 0.0f) << "band 0 is never rebuilt";
  EXPECT_NEAR(left[Start(1)], 0.0f, 1e-6) << "position 0: all on the right";
  EXPECT_FLOAT_EQ(right[Start(1)], 8.0f);
  EXPECT_FLOAT_EQ(left[Start(3)], 8.0f) << "past the left channel's bound";
  EXPECT_FLOAT_EQ(right[Start(3)], 0.0f);
}

TEST_F(Stereo, LastLongBandTakesThePositionOfTheBandBelow) {
  Joint(1);
  bands[1].lastBand = 19;
  positions.longBands[20] = 0;
  positions.longBands[21] = 6;  // never transmitted; not used
  left[Start(21) + 5] = 4.0f;
  count[0] = 576;
  count[1] = Start(20);
  Run();
  EXPECT_NEAR(left[Start(21) + 5], 0.0f, 1e-6);
  EXPECT_FLOAT_EQ(right[Start(21) + 5], 4.0f);
}

TEST_F(Stereo, IntensityWithMidSideUndoesTheFoldedGain) {
  Joint(3);
  bands[1].lastBand = 1;
  left[Start(1)] = 1.0f;
  right[Start(1)] = 1.0f;
  left[Start(2)] = 1.0f;
  positions.longBands[2] = 7;
  left[Start(3)] = 1.0f;
  positions.longBands[3] = 6;
  count[0] = Start(4);
  count[1] = Start(2);
  Run();
  EXPECT_FLOAT_EQ(left[Start(1)], 2.0f) << "mid/side below the intensity bands";
  EXPECT_FLOAT_EQ(right[Start(1)], 0.0f);
  EXPECT_FLOAT_EQ(left[Start(2)], 1.0f) << "no position: mid/side of a silent side";
  EXPECT_FLOAT_EQ(right[Start(2)], 1.0f);
  EXPECT_NEAR(left[Start(3)], std::sqrt(2.0f), 1e-5);
  EXPECT_NEAR(right[Start(3)], 0.0f, 1e-5);
}

TEST_F(Stereo, ShortBlockIntensityPerWindow) {
  Joint(1);
  for (StereoBandInfo& b : bands) {
    b.isShort = 1;
    b.shortStartBand = 0;
    b.longBandCount = 0;
  }
  bands[1].lastWindowBand[0] = 10;
  bands[1].lastWindowBand[1] = 12;
  bands[1].lastWindowBand[2] = 12;
  bands[1].lastBand = 12;
  const int band11 = layout.shortBandEnd3[10];
  const int band12 = layout.shortBandEnd3[11];
  left[band11 + 0] = 2.0f;  // window 0 of band 11
  left[band11 + 1] = 2.0f;  // window 1: the right channel codes it
  left[band12 + 0] = 2.0f;
  right[band12 + 1] = 3.0f;  // right values in band 12, window 1
  left[band12 + 1] = 2.0f;
  positions.shortBands[0][11] = 0;
  positions.shortBands[1][11] = 6;
  Run();
  EXPECT_NEAR(left[band11], 0.0f, 1e-6);
  EXPECT_FLOAT_EQ(right[band11], 2.0f);
  EXPECT_FLOAT_EQ(left[band11 + 1], 2.0f) << "window 1 codes band 11 itself";
  EXPECT_FLOAT_EQ(right[band12], 2.0f) << "band 12 takes band 11's position";
  EXPECT_NEAR(left[band12 + 1], 2.0f, 1e-5) << "band 12 is rebuilt even where coded";
  EXPECT_NEAR(right[band12 + 1], 0.0f, 1e-5);
}

class StereoLsf : public Stereo {
 protected:
  void SetUp() override {
    Stereo::SetUp();
    SetupBandLayout(layout, VersionRow::kMpeg2, 0, 32);
    Joint(1);
    lsf.bandCount[0] = 7;
    lsf.bandCount[1] = 7;
    lsf.bandCount[2] = 4;
    lsf.slen[0] = 1;
    lsf.slen[1] = 2;
    lsf.slen[2] = 3;
    lsf.intensityScale = 1;
  }
};

TEST_F(StereoLsf, PositionsByPartition) {
  bands[1].lastBand = 5;
  positions.longBands[6] = 1;  // slen 1: 1 is the illegal position
  positions.longBands[7] = 1;  // slen 2: odd position 1, left gets io
  positions.longBands[8] = 2;  // even position 2, right gets io
  positions.longBands[9] = 0;
  positions.longBands[19] = 0;  // beyond the partitions: no bits, illegal
  for (int band = 6; band <= 9; ++band) left[Start(band)] = 1.0f;
  left[Start(19)] = 1.0f;
  count[0] = 576;
  count[1] = Start(6);
  Run(false);
  const float io = std::pow(2.0f, -0.5f);
  EXPECT_FLOAT_EQ(left[Start(6)], 1.0f);
  EXPECT_FLOAT_EQ(right[Start(6)], 0.0f);
  EXPECT_NEAR(left[Start(7)], io, 1e-6);
  EXPECT_FLOAT_EQ(right[Start(7)], 1.0f);
  EXPECT_FLOAT_EQ(left[Start(8)], 1.0f);
  EXPECT_NEAR(right[Start(8)], io, 1e-6);
  EXPECT_FLOAT_EQ(right[Start(9)], 1.0f);
  EXPECT_FLOAT_EQ(right[Start(19)], 0.0f);
}

TEST_F(StereoLsf, RatioTableBlocks) {
  const float(&ratio)[64][2] = tables.lsfRatio[0][0];
  const float io = std::pow(2.0f, -0.25f);
  EXPECT_FLOAT_EQ(ratio[0][1], 0.0f) << "one-entry block: only the illegal position";
  EXPECT_FLOAT_EQ(ratio[1][0], 1.0f);
  EXPECT_FLOAT_EQ(ratio[1][1], 1.0f);
  EXPECT_FLOAT_EQ(ratio[2][1], 0.0f);
  EXPECT_NEAR(ratio[31 + 5][0], io * io * io, 1e-6);
  EXPECT_NEAR(ratio[31 + 30][1], std::pow(io, 15.0f), 1e-6);
  EXPECT_FLOAT_EQ(ratio[31 + 31][1], 0.0f);
  EXPECT_FLOAT_EQ(tables.lsfRatio[1][1][31 + 31][1], 1.0f) << "with mid/side";
  EXPECT_NEAR(tables.lsfRatio[1][1][7][0], std::sqrt(2.0f), 1e-6);
}

TEST_F(StereoLsf, ShortBlocksUpToTheLeftChannelsLastBand) {
  for (StereoBandInfo& b : bands) {
    b.isShort = 1;
    b.shortStartBand = 0;
    b.longBandCount = 0;
  }
  bands[1].lastWindowBand[0] = bands[1].lastWindowBand[1] = bands[1].lastWindowBand[2] = 1;
  bands[0].lastWindowBand[0] = 3;
  bands[0].lastWindowBand[1] = 2;
  bands[0].lastWindowBand[2] = 1;
  lsf.bandCount[0] = 3;  // short partitions: bands 0-2, 3-5 ...
  positions.shortBands[0][2] = 0;
  positions.shortBands[0][3] = 3;  // partition 1, slen 2: illegal
  positions.shortBands[1][2] = 0;
  const int band2 = layout.shortBandEnd3[1];
  const int band3 = layout.shortBandEnd3[2];
  left[band2] = 1.0f;
  left[band3] = 1.0f;
  left[band2 + 1] = 1.0f;
  Run(false);
  EXPECT_FLOAT_EQ(right[band2], 1.0f);
  EXPECT_FLOAT_EQ(right[band3], 0.0f);
  EXPECT_FLOAT_EQ(right[band2 + 1], 1.0f);
}

}  // namespace
}  // namespace orvana::engine
