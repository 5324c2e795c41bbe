#pragma once
// The ReplayGain values a song may sensibly carry. Anything else read from a
// file (a damaged field, a wrong unit) counts as absent rather than as a
// gain that would deafen or silence.
#include <cmath>
#include <optional>

namespace orvana::player {

constexpr double kLargestReplayGainDb = 64;
// Peaks somewhat above full scale are real (loud masters, inter-sample
// peaks); ten times full scale is not.
constexpr double kLargestReplayGainPeak = 10;

inline std::optional<double> AcceptedGainDb(double db) {
  if (!std::isfinite(db) || std::fabs(db) > kLargestReplayGainDb) return std::nullopt;
  return db;
}

// A peak of zero is what writers leave when they measured none.
inline std::optional<double> AcceptedPeak(double peak) {
  if (!std::isfinite(peak) || peak <= 0 || peak > kLargestReplayGainPeak) return std::nullopt;
  return peak;
}

}  // namespace orvana::player
