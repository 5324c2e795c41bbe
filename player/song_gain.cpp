#include "player/song_gain.h"

namespace orvana::player {

float SongGain(const TMPTrack& track, const TReplayGainSettings& settings) {
  return static_cast<float>(ReplayGainFactor(track.ReplayGain(), settings));
}

}  // namespace orvana::player
