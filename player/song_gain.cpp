#include "player/song_gain.h"

namespace orvana::player {

float SongGain(const TMPTrack& track, const TReplayGainSettings& settings) {
  (void)track;
  return static_cast<float>(ReplayGainFactor(TReplayGainValues{}, settings));
}

}  // namespace orvana::player
