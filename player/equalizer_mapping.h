#pragma once
// How the player's equalizer settings (band levels in hundredths of a
// decade, band frequencies in Hz) become the engine's gain tables: per
// sub-band, or per Layer III frequency line by the nearest band.
#include <cstdint>

#include "engine/equalizer.h"
#include "player/mp3_player_types.h"

namespace orvana::player {

inline constexpr int kEqualizerBands = 32;
inline constexpr int kEqualizerMaxFrequency = 24000;

struct TEqualizerSettings {
  bool enabled = false;
  int count = 6;
  TMP3EqualizerMode mode = memSubBand;
  int32_t gains[kEqualizerBands] = {};
  int32_t preamp = 0;  // added to every band's level while enabled
  int32_t frequencies[kEqualizerBands] = {};

  bool operator==(const TEqualizerSettings&) const = default;
};

// 10 raised to (level / 100).
float EqualizerGainFactor(int32_t level);

// Centre frequencies in Hz of sub-band 0..31 and of line 0..575 at `sampleRate`.
int SubbandCentre(int sampleRate, int subband);
int LineCentre(int sampleRate, int line);

// The band of frequencies[0..count-1] nearest to `target` by ratio; the
// lowest-numbered band wins ties.
int NearestBand(const int32_t* frequencies, int count, int target);

// Band frequencies from `low` to `high`, spaced geometrically. False (and
// nothing changed) unless 0 < low <= high <= 24000.
bool SetGeometricBands(int32_t* frequencies, int count, int low, int high);

// Whether the two make the same tables for any stream (in sub-band mode the
// frequencies follow the stream's rate).
bool SameShaping(const TEqualizerSettings& a, const TEqualizerSettings& b);

// Writes the engine's tables and switches for a stream of `layer` (1..3) at
// `sampleRate`. In sub-band mode the settings' frequencies become the 32
// sub-band centres. `songGain` scales every band (the song's loudness
// levelling); the preamp counts while the equalizer is on.
void ApplyEqualizerMapping(TEqualizerSettings& settings, int layer, int sampleRate, engine::EqualizerState& engine,
                           float songGain = 1.0f);

}  // namespace orvana::player
