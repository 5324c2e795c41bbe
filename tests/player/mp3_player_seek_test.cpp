// Seeking and the play position: the target frame, the growing seek table,
// the ends of the stream, seeking while paused, and Position after it all.
#include <gtest/gtest.h>

#include <thread>

#include "player_harness.h"

namespace orvana::player {
namespace {

using testing::DataPath;
using testing::PumpUntil;
using testing::TEventLog;
using testing::TQuietPlayer;

// Position of frame k of a 44.1 kHz stereo Layer III stream, in ms.
std::int64_t FramePosition(std::int64_t frame) { return frame * 4608 * 8000 / 1411200; }

class PlayerSeek : public ::testing::Test {
 protected:
  void SetUp() override {
    player.SetFileName(DataPath(testing::kCbrTone));
    player.Open();
    player.Play();
    player.Pause();  // the position stays where the seek puts it
  }
  TQuietPlayer player;
};

TEST_F(PlayerSeek, ToTheFrameHoldingTheTime) {
  player.Seek(1000);
  EXPECT_EQ(player.Position(), 1018) << "frame ceiling(176400 / 4608) = 39";
  EXPECT_EQ(player.Status(), msPaused) << "a seek while paused stays paused";
  player.Seek(26);
  EXPECT_EQ(player.Position(), FramePosition(1));
  player.Seek(27);
  EXPECT_EQ(player.Position(), FramePosition(2)) << "a time inside frame 1 goes to the next frame";
  player.Seek(0);
  EXPECT_EQ(player.Position(), 0);
}

TEST_F(PlayerSeek, BeyondTheEndStopsAtTheLastFrame) {
  const auto frames = testing::FramesOf(testing::ReadBytes(DataPath(testing::kCbrTone)));
  player.Seek(60000);
  EXPECT_EQ(player.Position(), FramePosition(static_cast<std::int64_t>(frames.size()) - 1));
  player.Seek(500);
  EXPECT_EQ(player.Position(), FramePosition(20)) << "from the table, backwards";
  player.Seek(INT64_MAX / 1000000);
  EXPECT_EQ(player.Position(), FramePosition(static_cast<std::int64_t>(frames.size()) - 1));
  player.Seek(500);
  player.Seek(INT64_MAX);  // no overflow on the way to the frame number
  EXPECT_EQ(player.Position(), FramePosition(static_cast<std::int64_t>(frames.size()) - 1));
}

TEST_F(PlayerSeek, NegativeTimesAndStoppedPlayersAreIgnored) {
  player.Seek(1000);
  player.Seek(-1);
  EXPECT_EQ(player.Position(), 1018);
  player.Stop();
  player.Seek(1000);
  EXPECT_EQ(player.Position(), 0);
  EXPECT_EQ(player.Status(), msStopped);
}

TEST_F(PlayerSeek, PlayGoesOnFromTheTargetToTheEnd) {
  for (const bool noisy : {true, false}) {
    TEventLog log(player);
    player.SetNoisySeek(noisy);
    player.Resume();
    player.Seek(900);
    const std::int64_t afterSeek = player.Position();
    EXPECT_GE(afterSeek, 914);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_GT(player.Position(), afterSeek) << "the position moves on from the target";
    ASSERT_TRUE(PumpUntil(player, [&] { return !log.reasons.empty(); }, 5000));
    EXPECT_EQ(log.reasons, std::vector<TMP3EndPlayReason>{meprEndOfStream});
    EXPECT_EQ(player.Position(), 0);
    player.Play();
    player.Pause();
  }
}

TEST_F(PlayerSeek, PositionIsZeroOnceStoppedOrClosed) {
  player.Seek(1000);
  player.Stop();
  EXPECT_EQ(player.Position(), 0);
  player.Play();
  player.Seek(1000);
  player.Close();
  EXPECT_EQ(player.Position(), 0);
  EXPECT_EQ(player.Length(), 0);
}

}  // namespace
}  // namespace orvana::player
