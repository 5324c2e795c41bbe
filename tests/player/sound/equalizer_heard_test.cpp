// The equalizer moved while a song plays on a sound server that holds
// seconds of it: the change is heard within moments, with no gap.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "../player_harness.h"
#include "monitor_recording.h"
#include "player/graphic_equalizer.h"
#include "pulse_null_sink.h"
#include "tone_analysis.h"

namespace orvana::player {
namespace {

constexpr int kRate = 44100;
constexpr int kBlock = kRate / 100;  // 10 ms

// The RMS of each 10 ms from `from` on.
std::vector<double> BlockLevels(const std::vector<double>& x, std::size_t from) {
  std::vector<double> levels;
  for (std::size_t at = from; at + kBlock <= x.size(); at += kBlock) {
    double sum = 0;
    for (std::size_t n = at; n < at + kBlock; ++n) sum += x[n] * x[n];
    levels.push_back(std::sqrt(sum / kBlock));
  }
  return levels;
}

TEST(EqualizerHeard, ASliderDraggedWhilePlayingIsHeardAtOnceWithoutAGap) {
  testing::PulseNullSink daemon;
  ASSERT_TRUE(daemon.Running()) << daemon.Failure();
  orvana::testing::TMonitorRecording recording(daemon.Server(), testing::PulseNullSink::kMonitorName, kRate);
  ASSERT_TRUE(recording.Started());
  TMP3Player player;
  player.SetAutoOpen(false);
  player.SetAutoPlay(false);
  player.SetDeviceID(platform::kPulseWaveDevice);
  UseGraphicBands(player);
  player.SetFileName(testing::DataPath("player/tone-1000-10s.mp3"));
  player.Open();
  ASSERT_TRUE(player.Opened());
  player.Play();
  ASSERT_TRUE(testing::PumpUntil(player, [&] { return player.Position() >= 1500; }));
  // The 1 kHz band dragged down to -12 dB in four steps, 50 ms apart.
  std::array<double, kGraphicBands> bands{};
  std::int64_t lastChange = 0;
  for (const double db : {-3.0, -6.0, -9.0, -12.0}) {
    bands[5] = db;
    lastChange = player.Position();
    SetGraphicEqualizer(player, true, 0, bands);
    testing::PumpFor(player, 50);
  }
  ASSERT_TRUE(testing::PumpUntil(player, [&] { return player.Position() >= lastChange + 1000; }));
  player.Stop();
  const std::vector<double> left = orvana::testing::LeftChannelOf(recording.Stop());

  const orvana::testing::TStretch sounding = orvana::testing::SoundingPart(left);
  const std::vector<double> levels = BlockLevels(left, sounding.begin);
  const std::size_t changeBlock = static_cast<std::size_t>(lastChange / 10);
  ASSERT_GT(levels.size(), changeBlock + 60);
  const double before = levels[changeBlock - 100];  // a second after the start, before any change
  const double after = levels[changeBlock + 50];    // half a second after the last
  EXPECT_NEAR(20 * std::log10(after / before), -12.0, 1.0);
  // Heard within 300 ms of the last step (the blocks at its level from then on).
  std::size_t settled = levels.size() - 1;
  while (settled > 0 && std::abs(20 * std::log10(levels[settled - 1] / after)) < 1.0) --settled;
  EXPECT_LE(static_cast<std::int64_t>(settled) * 10, lastChange + 300);
  // Never a gap where the new sound joins the old.
  const std::size_t changeSample = sounding.begin + changeBlock * kBlock;
  EXPECT_TRUE(orvana::testing::SilencesIn(left, changeSample - kRate, changeSample + kRate / 2, kRate / 1000).empty());
}

}  // namespace
}  // namespace orvana::player
