// The player on the real sound path: a file played through ALSA's default
// device into a PulseAudio null sink takes about its length.
#include <gtest/gtest.h>

#include <chrono>

#include "../player_harness.h"
#include "pulse_null_sink.h"

namespace orvana::player {
namespace {

TEST(PlayerAlsaPulse, AFilePlaysToItsEndInAboutItsLength) {
  testing::PulseNullSink daemon;
  ASSERT_TRUE(daemon.Running()) << daemon.Failure();
  TMP3Player player;
  player.SetAutoPlay(false);
  testing::TEventLog log(player);
  player.SetFileName(testing::DataPath(testing::kCbrTone));
  ASSERT_TRUE(player.Opened());
  const double length = static_cast<double>(player.Length()) / 1000;
  const auto start = std::chrono::steady_clock::now();
  player.Play();
  ASSERT_TRUE(testing::PumpUntil(player, [&] { return !log.reasons.empty(); }, 10000));
  const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_EQ(log.reasons, std::vector<TMP3EndPlayReason>{meprEndOfStream});
  EXPECT_GE(took, length * 0.8);
  EXPECT_LE(took, length * 1.6 + 0.5);
  EXPECT_GE(log.Count("position"), 2);
}

}  // namespace
}  // namespace orvana::player
