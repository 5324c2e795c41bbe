#pragma once
// ReplayGain values in ID3v2 frames: user text frames described as
// REPLAYGAIN_TRACK_GAIN, REPLAYGAIN_TRACK_PEAK, REPLAYGAIN_ALBUM_GAIN or
// REPLAYGAIN_ALBUM_PEAK (in any case), and RVA2 frames identified as
// "track" or "album".
#include "player/id3v2_frame_format.h"
#include "player/replay_gain_sources.h"

namespace orvana::player {

// Adds the values `frame` holds to `sources`. A value found before stays;
// a value that cannot be read or makes no sense is left out.
void ReadReplayGainFrame(const TID3v2Frame& frame, TReplayGainSources& sources);

}  // namespace orvana::player
