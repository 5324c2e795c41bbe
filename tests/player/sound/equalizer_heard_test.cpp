// The equalizer moved while a song plays on a sound server that holds
// seconds of it: the change is heard within moments, with no gap.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <string>
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

std::vector<double> BlockLevels(const std::vector<double>& x, std::size_t from) {
  return orvana::testing::BlockLevels(x, from, kBlock);
}

// A player on a private PulseAudio server whose null sink is recorded.
class EqualizerHeard : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(daemon_.Running()) << daemon_.Failure();
    recording_ = std::make_unique<orvana::testing::TMonitorRecording>(daemon_.Server(),
                                                                      testing::PulseNullSink::kMonitorName, kRate);
    ASSERT_TRUE(recording_->Started());
    player_.SetAutoOpen(false);
    player_.SetAutoPlay(false);
    player_.SetDeviceID(platform::kPulseWaveDevice);
    UseGraphicBands(player_);
  }

  void Open(const std::string& song) {
    player_.SetFileName(testing::DataPath(song));
    player_.Open();
    ASSERT_TRUE(player_.Opened());
  }

  // The left channel of what was heard.
  std::vector<double> Heard() { return orvana::testing::LeftChannelOf(recording_->Stop()); }

  testing::PulseNullSink daemon_;
  std::unique_ptr<orvana::testing::TMonitorRecording> recording_;
  TMP3Player player_;  // last: it goes first
};

TEST_F(EqualizerHeard, ASliderDraggedWhilePlayingIsHeardAtOnceWithoutAGap) {
  TMP3Player& player = player_;
  Open("player/tone-1000-10s.mp3");
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
  const std::vector<double> left = Heard();

  const orvana::testing::TStretch sounding = orvana::testing::SoundingPart(left);
  const std::vector<double> levels = BlockLevels(left, sounding.begin);
  const std::size_t changeBlock = static_cast<std::size_t>(lastChange / 10);
  ASSERT_GT(levels.size(), changeBlock + 60);
  const double before = levels[changeBlock - 100];  // a second after the start, before any change
  const double after = levels[changeBlock + 50];    // half a second after the last
  EXPECT_NEAR(20 * std::log10(after / before), -12.0, 1.0);
  // Heard within 300 ms of the last step (the blocks at its level from then on).
  const std::size_t settled = orvana::testing::SettledFrom(levels, after, changeBlock + 50, 1.0);
  EXPECT_LE(static_cast<std::int64_t>(settled) * 10, lastChange + 300);
  // Never a gap where the new sound joins the old.
  const std::size_t changeSample = sounding.begin + changeBlock * kBlock;
  EXPECT_TRUE(orvana::testing::SilencesIn(left, changeSample - kRate, changeSample + kRate / 2, kRate / 1000).empty());
}

TEST_F(EqualizerHeard, AChangeWhileTheNextSongIsQueuedAheadReachesBothAndKeepsTheirJoin) {
  TMP3Player& player = player_;
  testing::TEventLog log(player);
  int songChanges = 0;
  player.SetOnChangeSong([&](TMP3Player&) { ++songChanges; });
  // One 440 Hz tone cut in two: the second half is decoded and sent on
  // long before the first has been heard.
  Open("player/tone-440-first-half.mp3");
  player.QueueNext(testing::DataPath("player/tone-440-second-half.mp3"));
  player.Play();
  ASSERT_TRUE(testing::PumpUntil(player, [&] { return player.Position() >= 300; }));
  std::array<double, kGraphicBands> bands{};
  bands[4] = -12.0;  // 500 Hz
  const std::int64_t change = player.Position();
  SetGraphicEqualizer(player, true, 0, bands);
  ASSERT_TRUE(testing::PumpUntil(player, [&] { return !log.reasons.empty(); }));
  EXPECT_EQ(songChanges, 1);
  const std::vector<double> left = Heard();

  const orvana::testing::TStretch sounding = orvana::testing::SoundingPart(left);
  const std::vector<double> levels = BlockLevels(left, sounding.begin);
  const std::size_t changeBlock = static_cast<std::size_t>(change / 10);
  ASSERT_GT(levels.size(), 150u);
  const double before = levels[changeBlock - 15];
  // Quieter within 300 ms, through to the end of the second half; the join
  // itself (at 900 ms) carries a click of the encoder's in every band.
  for (std::size_t block = changeBlock + 30; block + 5 < levels.size(); ++block) {
    if (block >= 88 && block <= 91) continue;
    EXPECT_NEAR(20 * std::log10(levels[block] / before), -12.0, 1.0) << "at " << block * 10 << " ms";
  }
  EXPECT_TRUE(orvana::testing::SilencesIn(left, sounding.begin, sounding.end, kRate / 1000).empty());
}

}  // namespace
}  // namespace orvana::player
