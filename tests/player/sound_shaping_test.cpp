// What the equalizer and the song gain do to the player's real output (a WAV
// file written as fast as it decodes), measured by the power in each band.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>
#include <vector>

#include "player/graphic_equalizer.h"
#include "player_harness.h"
#include "band_power.h"

namespace orvana::player {
namespace {

using testing::TBytes;

const std::string kPinkNoise = "player/pink-44100-mono.mp3";

std::vector<double> Samples(const TBytes& pcm) {
  std::vector<double> samples(pcm.size() / 2);
  for (std::size_t i = 0; i < samples.size(); ++i)
    samples[i] = static_cast<std::int16_t>(pcm[2 * i] | pcm[2 * i + 1] << 8);
  return samples;
}

// The whole file through the player, shaped by `shape`.
template <class Shape>
TBytes Played(const std::string& name, Shape shape) {
  testing::TQuietPlayer player;
  shape(player);
  player.SetFileName(testing::DataPath(name));
  player.Open();
  EXPECT_TRUE(player.Opened()) << name;
  return testing::PlayToWave(player);
}

TBytes PlayedFlat(const std::string& name) {
  return Played(name, [](TMP3Player&) {});
}

TEST(SoundShaping, LevelsAtZeroLeaveTheDecodersOutputBitForBit) {
  // Layers III, II and I; the line equalizer and the sub-band one.
  for (const std::string& name : {kPinkNoise, std::string("l2-fl10.bit"), std::string("l1-fl1.bit")}) {
    const TBytes plain = PlayedFlat(name);
    ASSERT_FALSE(plain.empty()) << name;
    const TBytes shaped = Played(name, [](TMP3Player& player) { SetGraphicEqualizer(player, true, 0, {}); });
    EXPECT_TRUE(shaped == plain) << name;
    // A ReplayGain mode on a song without a gain, at no default gain.
    const TBytes levelled = Played(name, [](TMP3Player& player) { player.SetReplayGain({rgmAlbum, 6.0, 0.0, true}); });
    EXPECT_TRUE(levelled == plain) << name;
  }
}

TEST(SoundShaping, AOneKilohertzBandLiftsPinkNoiseThereAndLeavesTheRest) {
  const std::vector<double> plain = Samples(PlayedFlat(kPinkNoise));
  std::array<double, kGraphicBands> bands{};
  bands[5] = 12.0;  // 1 kHz
  const std::vector<double> lifted =
      Samples(Played(kPinkNoise, [&](TMP3Player& player) { SetGraphicEqualizer(player, true, 0, bands); }));
  ASSERT_EQ(lifted.size(), plain.size());
  const auto gainAt = [&](double hz) {
    return orvana::testing::Decibels(orvana::testing::BandPower(lifted, 44100, hz * 0.95, hz * 1.05),
                             orvana::testing::BandPower(plain, 44100, hz * 0.95, hz * 1.05));
  };
  EXPECT_NEAR(gainAt(1000), 12.0, 1.5);
  EXPECT_NEAR(gainAt(125), 0.0, 1.5);
  EXPECT_NEAR(gainAt(8000), 0.0, 1.5);
}

TEST(SoundShaping, LevelsPastFullScaleAreLimitedNeverWrapped) {
  // Two tones at half scale, lifted by 12 dB: four times full scale.
  const TBytes plainBytes = PlayedFlat(testing::kCbrTone);
  const TBytes loudBytes =
      Played(testing::kCbrTone, [](TMP3Player& player) { SetGraphicEqualizer(player, true, 12.0, {}); });
  const std::vector<double> plain = Samples(plainBytes);
  const std::vector<double> loud = Samples(loudBytes);
  ASSERT_EQ(loud.size(), plain.size());
  int limited = 0;
  for (std::size_t i = 0; i < plain.size(); ++i) {
    if (std::abs(plain[i]) < 2000) continue;
    ASSERT_EQ(plain[i] > 0, loud[i] > 0) << "sample " << i;  // a wrapped sample flips its sign
    ASSERT_GE(std::abs(loud[i]), std::abs(plain[i]));
    if (loud[i] == 32767 || loud[i] == -32768) ++limited;
  }
  EXPECT_GT(limited, 1000);
}

TEST(SoundShaping, ATrackGainOfMinusSixDecibelsHalvesTheAmplitude) {
  const std::string tagged = "tags/rg-eyed3-over-lame.mp3";  // REPLAYGAIN_TRACK_GAIN -6.02 dB
  const std::vector<double> plain = Samples(PlayedFlat(tagged));
  const std::vector<double> levelled =
      Samples(Played(tagged, [](TMP3Player& player) { player.SetReplayGain({rgmTrack, 0, 0, false}); }));
  ASSERT_EQ(levelled.size(), plain.size());
  double plainPower = 0, levelledPower = 0;
  for (std::size_t i = 0; i < plain.size(); ++i) {
    plainPower += plain[i] * plain[i];
    levelledPower += levelled[i] * levelled[i];
  }
  EXPECT_NEAR(orvana::testing::Decibels(levelledPower, plainPower), -6.02, 0.1);
}

TEST(SoundShaping, ChangesWhilePlayingIntoAQueuedNextSongEndPlayAsUsual) {
  // On the device that plays silently in real time: each change decodes
  // again what was sent on, back across the join into the song before.
  testing::TQuietPlayer player;
  testing::TEventLog log(player);
  int songChanges = 0;
  player.SetOnChangeSong([&](TMP3Player&) { ++songChanges; });
  player.SetFileName(testing::DataPath("player/tone-440-first-half.mp3"));
  player.Open();
  player.QueueNext(testing::DataPath("player/tone-440-second-half.mp3"));
  player.Play();
  std::array<double, kGraphicBands> bands{};
  for (int step = 0; step < 12 && log.reasons.empty(); ++step) {
    bands[step % kGraphicBands] = step % 2 ? -6.0 : 6.0;
    SetGraphicEqualizer(player, true, step % 3, bands);
    player.SetReplayGain({step % 2 ? rgmTrack : rgmOff, 0, -3.0, true});
    testing::PumpFor(player, 60 + step * 10);
  }
  ASSERT_TRUE(testing::PumpUntil(player, [&] { return !log.reasons.empty(); }));
  EXPECT_EQ(log.reasons, std::vector<TMP3EndPlayReason>{meprEndOfStream});
  EXPECT_EQ(songChanges, 1);
}

}  // namespace
}  // namespace orvana::player
