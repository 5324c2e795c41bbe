#pragma once
// The gain a song is played at, from its ReplayGain values and the user's
// settings, as the engine's tables take it.
#include "player/replay_gain.h"
#include "player/track.h"

namespace orvana::player {

float SongGain(const TMPTrack& track, const TReplayGainSettings& settings);

}  // namespace orvana::player
