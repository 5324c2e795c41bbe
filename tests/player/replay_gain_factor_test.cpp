// The factor a song is played at, from its ReplayGain values and the user's
// settings.
#include <gtest/gtest.h>

#include <cmath>

#include "player/replay_gain.h"

namespace orvana::player {
namespace {

TEST(ReplayGainFactor, ModesFallbacksPreampAndClippingPrevention) {
  const TReplayGainValues trackOnly{-6.02, 0.5, {}, {}};
  const TReplayGainValues both{-6.02, 0.5, 3.0, 0.9};
  const TReplayGainValues none{};
  struct Case {
    TReplayGainValues values;
    TReplayGainSettings settings;
    double db;  // expected factor in dB
  } cases[] = {
      {both, {rgmOff, 5, 5, true}, 0.0},
      {both, {rgmTrack, 0, 0, true}, -6.02},
      {both, {rgmAlbum, 0, 0, false}, 3.0},
      {trackOnly, {rgmAlbum, 0, 0, true}, -6.02},  // album falls back to track
      {trackOnly, {rgmTrack, 2, -9, true}, -4.02},  // the preamp counts, the default does not
      {none, {rgmTrack, 2, -9, true}, -9.0},       // the default gain alone, whatever the clipping
      {both, {rgmAlbum, 0, 0, true}, 20 * std::log10(1 / 0.9)},  // never past the peak
      {both, {rgmTrack, 13, 0, true}, 20 * std::log10(1 / 0.5)},
      {TReplayGainValues{4.0, 0.0, {}, {}}, {rgmTrack, 0, 0, true}, 4.0},  // an unknown peak limits nothing
  };
  for (const Case& c : cases)
    EXPECT_NEAR(20 * std::log10(ReplayGainFactor(c.values, c.settings)), c.db, 1e-9)
        << c.settings.mode << " " << c.settings.preampDb;
}

}  // namespace
}  // namespace orvana::player
