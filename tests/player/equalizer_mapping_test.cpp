#include "player/equalizer_mapping.h"

#include <gtest/gtest.h>

#include <vector>

#include "player/assertion.h"

namespace orvana::player {
namespace {

std::vector<int32_t> Bands(const TEqualizerSettings& settings) {
  return std::vector<int32_t>(settings.frequencies, settings.frequencies + settings.count);
}

TEST(EqualizerBands, GeometricBetweenTheLimits) {
  TEqualizerSettings settings;
  ASSERT_TRUE(SetGeometricBands(settings.frequencies, settings.count, 60, 16000));
  EXPECT_EQ(Bands(settings), (std::vector<int32_t>{60, 183, 560, 1712, 5234, 16000}));

  settings.count = 2;
  ASSERT_TRUE(SetGeometricBands(settings.frequencies, 2, 100, 200));
  EXPECT_EQ(Bands(settings), (std::vector<int32_t>{100, 200}));
  ASSERT_TRUE(SetGeometricBands(settings.frequencies, 1, 100, 300));
  EXPECT_EQ(settings.frequencies[0], 300) << "one band: the upper limit is written last";
  ASSERT_TRUE(SetGeometricBands(settings.frequencies, 3, 24000, 24000));
  EXPECT_EQ(settings.frequencies[1], 24000);
}

TEST(EqualizerBands, LimitsOutsideTheRangeChangeNothing) {
  TEqualizerSettings settings;
  settings.frequencies[0] = 11;
  EXPECT_FALSE(SetGeometricBands(settings.frequencies, 6, 100, 50));
  EXPECT_FALSE(SetGeometricBands(settings.frequencies, 6, 60, 24001));
  EXPECT_FALSE(SetGeometricBands(settings.frequencies, 6, 0, 100));
  EXPECT_EQ(settings.frequencies[0], 11);
}

TEST(EqualizerBands, CentresOfSubbandsAndLines) {
  EXPECT_EQ(SubbandCentre(44100, 0), 345);
  EXPECT_EQ(SubbandCentre(44100, 1), 1034);
  EXPECT_EQ(SubbandCentre(44100, 2), 1723);
  EXPECT_EQ(SubbandCentre(44100, 3), 2412);
  EXPECT_EQ(LineCentre(44100, 0), 19);
  EXPECT_EQ(LineCentre(44100, 575), 22031);
  EXPECT_EQ(SubbandCentre(32000, 0), 250) << "250.0 exactly";
  EXPECT_THROW(SubbandCentre(0, 0), EAssertionFailed);
  EXPECT_THROW(SubbandCentre(44100, 32), EAssertionFailed);
  EXPECT_THROW(LineCentre(44100, 576), EAssertionFailed);
}

TEST(EqualizerBands, NearestBandByRatioLowestWinsTies) {
  const int32_t bands[] = {60, 183, 560, 1712, 5234, 16000};
  EXPECT_EQ(NearestBand(bands, 6, 19), 0);
  EXPECT_EQ(NearestBand(bands, 6, 22031), 5);
  EXPECT_EQ(NearestBand(bands, 6, 400), 2);
  const int32_t tie[] = {100, 400};
  EXPECT_EQ(NearestBand(tie, 2, 200), 0) << "200/100 equals 400/200";
  const int32_t unset[] = {0, -5, 1000};
  EXPECT_EQ(NearestBand(unset, 3, 1), 0) << "frequencies below 1 count as 1";
  EXPECT_EQ(NearestBand(bands, 2, 16000), 1) << "only the first `count` bands take part";
}

TEST(EqualizerMapping, SubbandModeTakesGainsByIndexAndRewritesTheFrequencies) {
  TEqualizerSettings settings;
  settings.enabled = true;
  settings.gains[0] = 100;
  settings.gains[31] = -100;
  engine::EqualizerState engine;
  engine.LineEqEnabled = 1;
  ApplyEqualizerMapping(settings, 3, 44100, engine);
  EXPECT_EQ(engine.SubbandEqEnabled, 1);
  EXPECT_EQ(engine.LineEqEnabled, 0);
  EXPECT_FLOAT_EQ(engine.SubbandGain[0], 10.0f);
  EXPECT_FLOAT_EQ(engine.SubbandGain[1], 1.0f);
  EXPECT_FLOAT_EQ(engine.SubbandGain[31], 0.1f);
  EXPECT_EQ(settings.frequencies[3], 2412);

  // Switched off, the gains are still recomputed.
  settings.enabled = false;
  settings.gains[0] = 50;
  ApplyEqualizerMapping(settings, 3, 44100, engine);
  EXPECT_EQ(engine.SubbandEqEnabled, 0);
  EXPECT_NEAR(engine.SubbandGain[0], 3.1623f, 1e-4);
}

TEST(EqualizerMapping, FrequencyModeMapsLayerIIILinesToTheNearestBand) {
  TEqualizerSettings settings;
  settings.mode = memFreq;
  settings.enabled = true;
  ASSERT_TRUE(SetGeometricBands(settings.frequencies, settings.count, 60, 16000));
  settings.gains[0] = -100;
  settings.gains[5] = 100;
  engine::EqualizerState engine;
  engine.SubbandEqEnabled = 1;
  ApplyEqualizerMapping(settings, 3, 44100, engine);
  EXPECT_EQ(engine.SubbandEqEnabled, 0);
  EXPECT_EQ(engine.LineEqEnabled, 1);
  EXPECT_FLOAT_EQ(engine.LineGain[0], 0.1f);
  EXPECT_FLOAT_EQ(engine.LineGain[575], 10.0f);
  EXPECT_FLOAT_EQ(engine.LineGain[40], 1.0f);  // 1551 Hz: band 3
  EXPECT_EQ(settings.frequencies[1], 183) << "frequency mode keeps the bands";

  // Switched off, only the switch changes.
  settings.enabled = false;
  settings.gains[0] = 0;
  ApplyEqualizerMapping(settings, 3, 44100, engine);
  EXPECT_EQ(engine.LineEqEnabled, 0);
  EXPECT_FLOAT_EQ(engine.LineGain[0], 0.1f);
}

TEST(EqualizerMapping, FrequencyModeOnLayersIAndIIUsesSubbands) {
  TEqualizerSettings settings;
  settings.mode = memFreq;
  settings.enabled = true;
  ASSERT_TRUE(SetGeometricBands(settings.frequencies, settings.count, 60, 16000));
  settings.gains[0] = 100;  // 60 Hz
  settings.gains[2] = -100;  // 560 Hz
  engine::EqualizerState engine;
  ApplyEqualizerMapping(settings, 2, 48000, engine);
  EXPECT_EQ(engine.SubbandEqEnabled, 1);
  EXPECT_EQ(engine.LineEqEnabled, 0);
  EXPECT_FLOAT_EQ(engine.SubbandGain[0], 0.1f) << "375 Hz is nearer 560 than 183";
  EXPECT_FLOAT_EQ(engine.SubbandGain[31], 1.0f);
}

TEST(EqualizerMapping, ASongGainScalesEveryBandAndNeedsTheTablesEvenWithTheEqualizerOff) {
  TEqualizerSettings settings;
  settings.mode = memFreq;
  ASSERT_TRUE(SetGeometricBands(settings.frequencies, settings.count, 60, 16000));
  settings.gains[5] = 100;
  settings.preamp = -50;
  engine::EqualizerState engine;
  // Off: the song's gain alone, on every line and sub-band; neither the
  // levels nor the preamp count.
  ApplyEqualizerMapping(settings, 3, 44100, engine, 0.5f);
  EXPECT_EQ(engine.LineEqEnabled, 1);
  EXPECT_FLOAT_EQ(engine.LineGain[0], 0.5f);
  EXPECT_FLOAT_EQ(engine.LineGain[575], 0.5f);
  ApplyEqualizerMapping(settings, 2, 44100, engine, 0.5f);
  EXPECT_EQ(engine.SubbandEqEnabled, 1);
  EXPECT_FLOAT_EQ(engine.SubbandGain[31], 0.5f);
  // On: the band's level plus the preamp, times the song's gain.
  settings.enabled = true;
  ApplyEqualizerMapping(settings, 3, 44100, engine, 0.5f);
  EXPECT_NEAR(engine.LineGain[575], 0.5f * 3.1623f, 1e-4);
  EXPECT_NEAR(engine.LineGain[0], 0.5f * 0.31623f, 1e-5);
  // Off at unity: the tables are left alone.
  settings.enabled = false;
  ApplyEqualizerMapping(settings, 3, 44100, engine, 1.0f);
  EXPECT_EQ(engine.LineEqEnabled, 0);
}

}  // namespace
}  // namespace orvana::player
