// What the player is told: levels rounded from tenths of a dB at the edges,
// ReplayGain in dB, and a response curve whose bands are the player's own.
#include "app/equalizer/player_sound_shaping.h"

#include <gtest/gtest.h>

#include "app/equalizer/equalizer_response.h"
#include "player/equalizer_mapping.h"

namespace orvana::app {
namespace {

TEST(PlayerSoundShaping, TenthsBecomeLevelsRoundedAlikeUpAndDown) {
  EXPECT_EQ(PlayerLevel(-120), -60);  // -12 dB
  EXPECT_EQ(PlayerLevel(120), 60);
  EXPECT_EQ(PlayerLevel(0), 0);
  EXPECT_EQ(PlayerLevel(1), 1);  // +0.1 dB is heard as +0.2 dB
  EXPECT_EQ(PlayerLevel(-1), -1);
  EXPECT_EQ(PlayerLevel(2), 1);
  EXPECT_EQ(PlayerLevel(-3), -2);
  EXPECT_EQ(PlayerLevel(-119), -60);

  const player::TReplayGainSettings replayGain = PlayerReplayGain({rgcAlbum, -65, 151, false});
  EXPECT_EQ(replayGain.mode, player::rgmAlbum);
  EXPECT_DOUBLE_EQ(replayGain.preampDb, -6.5);
  EXPECT_DOUBLE_EQ(replayGain.defaultGainDb, 15.0);  // held within its range
  EXPECT_FALSE(replayGain.preventClipping);
  EXPECT_EQ(PlayerReplayGain({}), player::TReplayGainSettings{});  // off: the decoder's output
}

TEST(PlayerSoundShaping, TheSettingsReachThePlayerAndTheCurveUsesItsBands) {
  player::TMP3Player player;
  SetUpEqualizerBands(player);
  TSoundShapingSettings settings;
  settings.equalizerEnabled = true;
  settings.curve = {-7, {-120, 1, 0, 0, 0, 0, 0, 0, 0, 119}};
  settings.replayGain = {rgcTrack, 30, -60, true};
  ApplySoundShaping(settings, player);
  EXPECT_EQ(player.EqualizerMode(), player::memFreq);
  EXPECT_EQ(player.EqualizerCount(), kEqualizerBandCount);
  EXPECT_TRUE(player.EqualizerEnabled());
  EXPECT_EQ(player.EqualizerGain(0), -60);
  EXPECT_EQ(player.EqualizerGain(1), 1);
  EXPECT_EQ(player.EqualizerGain(9), 60);
  EXPECT_EQ(player.EqualizerPreamp(), -4);
  EXPECT_EQ(player.ReplayGain(), PlayerReplayGain(settings.replayGain));

  std::int32_t bands[kEqualizerBandCount];
  for (int band = 0; band < kEqualizerBandCount; ++band) {
    bands[band] = player.EqualizerFrequency(band);
    EXPECT_NEAR(bands[band], kEqualizerBandHz[std::size_t(band)], kEqualizerBandHz[std::size_t(band)] / 50);
  }
  const TEqualizerResponse response;
  for (int hz = 20; hz <= 20000; hz += hz / 50 + 1)
    ASSERT_EQ(response.BandAt(hz), player::NearestBand(bands, kEqualizerBandCount, hz)) << hz;
  EXPECT_DOUBLE_EQ(response.DecibelsAt(settings.curve, 20), (-60 - 4) * 0.2);
  EXPECT_DOUBLE_EQ(response.DecibelsAt(settings.curve, 20000), (60 - 4) * 0.2);
  EXPECT_DOUBLE_EQ(response.DecibelsAt(settings.curve, 1000), -4 * 0.2);
}

}  // namespace
}  // namespace orvana::app
