#pragma once
// ReplayGain: the loudness adjustment a song's tags (or its encoder) ask
// for, and how the user wants it applied.
#include <cstdint>
#include <optional>

namespace orvana::player {

// Gains in dB; peaks as a fraction of full scale (1.0 = full scale).
struct TReplayGainValues {
  std::optional<double> trackGainDb;
  std::optional<double> trackPeak;
  std::optional<double> albumGainDb;
  std::optional<double> albumPeak;

  bool Empty() const { return !trackGainDb && !albumGainDb; }
  bool operator==(const TReplayGainValues&) const = default;
};

enum TReplayGainMode : std::uint8_t { rgmOff = 0, rgmTrack = 1, rgmAlbum = 2 };

struct TReplayGainSettings {
  TReplayGainMode mode = rgmOff;
  double preampDb = 0;       // added to a gain found in the song
  double defaultGainDb = 0;  // used for a song without one
  bool preventClipping = true;

  bool operator==(const TReplayGainSettings&) const = default;
};

// The linear factor for a song with `values` under `settings`: 1.0 when off;
// album falls back to track; with clipping prevention never more than
// 1 / peak.
double ReplayGainFactor(const TReplayGainValues& values, const TReplayGainSettings& settings);

}  // namespace orvana::player
