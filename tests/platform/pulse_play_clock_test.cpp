// The play position between a sound server's timing reports, on a clock the
// tests set (1000 frames a second: a frame a millisecond).
#include "platform/pulse_play_clock.h"

#include <gtest/gtest.h>

namespace orvana::platform {
namespace {

using Clock = PulsePlayClock::Clock;
using std::chrono::milliseconds;

const Clock::time_point t0 = Clock::time_point() + std::chrono::hours(1);

TEST(PulsePlayClock, MovesWithTheClockNeverBackNorBeyondWhatTheServerHasOrRead) {
  PulsePlayClock clock(1000);
  EXPECT_EQ(clock.Position(t0, 500), 0) << "held until the first report";
  EXPECT_FALSE(clock.Moving());

  clock.Anchor(t0, 100, PulsePlayClock::kUnlimited);
  EXPECT_TRUE(clock.Playing());
  EXPECT_EQ(clock.Position(t0 + milliseconds(250), 500), 350);
  EXPECT_EQ(clock.TimeOf(350), t0 + milliseconds(250));
  EXPECT_EQ(clock.Position(t0 + milliseconds(900), 500), 500) << "not beyond what was sent";

  // A later report behind what was given out (a sink that rewound): held
  // until the clock catches up with it.
  clock.Anchor(t0 + milliseconds(900), 420, PulsePlayClock::kUnlimited);
  EXPECT_EQ(clock.Position(t0 + milliseconds(950), 1000), 500);
  EXPECT_EQ(clock.Position(t0 + milliseconds(1000), 1000), 520);

  // Not playing: up to what the server had read, and no further.
  clock.Anchor(t0 + milliseconds(1000), 520, 560);
  EXPECT_FALSE(clock.Playing());
  EXPECT_TRUE(clock.Moving());
  EXPECT_EQ(clock.Position(t0 + milliseconds(2000), 1000), 560);

  // Held (a pause, a failure): where it was, whatever the clock says.
  clock.Anchor(t0 + milliseconds(2000), 560, PulsePlayClock::kUnlimited);
  clock.Hold(t0 + milliseconds(2010), 1000);
  EXPECT_EQ(clock.Position(t0 + milliseconds(5000), 1000), 570);
  EXPECT_EQ(clock.Projected(t0 + milliseconds(9000), 1000), 570);

  clock.Restart();
  EXPECT_EQ(clock.Position(t0 + milliseconds(9000), 1000), 0) << "a reset starts at 0";
  clock.Anchor(t0 + milliseconds(9000), -40, PulsePlayClock::kUnlimited);
  EXPECT_EQ(clock.Position(t0 + milliseconds(9020), 1000), 0) << "never below 0";
  EXPECT_EQ(clock.Position(t0 + milliseconds(9100), 1000), 60);
}

// A server that does not play holds the position at what it has read, but
// a stream that ran dry may keep a short rest back for good.
TEST(PulseReadWatch, AShortRestCountsAsPlayedALongOneOnlyOnceItStalled) {
  PulseReadWatch watch(50, std::chrono::seconds(5));
  EXPECT_EQ(watch.Limit(false, 0, 1000, t0), 0) << "not started";
  EXPECT_EQ(watch.Limit(false, 0, 1000, t0 + milliseconds(40)), 0) << "not started yet, however long";
  EXPECT_EQ(watch.Limit(true, 500, 1000, t0 + milliseconds(540)), PulsePlayClock::kUnlimited);
  EXPECT_EQ(watch.Limit(false, 960, 1000, t0 + milliseconds(1000)), 1000) << "ran dry, 40 frames kept back";

  watch.Forget();
  EXPECT_EQ(watch.Limit(false, 300, 1000, t0 + milliseconds(2000)), 300);
  EXPECT_EQ(watch.Limit(false, 300, 1000, t0 + milliseconds(3000)), 300) << "a long rest may still come";
  EXPECT_EQ(watch.Limit(false, 300, 1000, t0 + milliseconds(7000)), 1000) << "stalled: never a hang";
}

}  // namespace
}  // namespace orvana::platform
