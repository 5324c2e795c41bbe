#pragma once
// What a listener hears in a recording of steady tones: where sound is,
// where it falls silent, and whether the wave runs on smoothly. A pure tone
// is predicted exactly from its two samples before; a click, a step in phase
// or a cut shows as a large prediction error. Shared by the sound tests and
// the sound-path benchmark.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace orvana::testing {

// The left channel of interleaved 16-bit stereo samples.
inline std::vector<double> LeftChannelOf(const std::string& raw) {
  std::vector<double> left(raw.size() / 4);
  for (std::size_t i = 0; i < left.size(); ++i)
    left[i] = static_cast<std::int16_t>(static_cast<std::uint8_t>(raw[4 * i]) |
                                        static_cast<std::uint8_t>(raw[4 * i + 1]) << 8);
  return left;
}

// A stretch of samples [begin, end).
struct TStretch {
  std::size_t begin = 0;
  std::size_t end = 0;
  std::size_t Length() const { return end - begin; }
};

// Below this a sample counts as silence: well under the tones of the tests
// and over the noise of lossy coding.
inline constexpr double kSilenceLevel = 200;

// The stretches of silence within [from, to) at least `shortest` samples long.
inline std::vector<TStretch> SilencesIn(const std::vector<double>& x, std::size_t from, std::size_t to,
                                        std::size_t shortest) {
  std::vector<TStretch> silences;
  std::size_t start = from;
  bool quiet = false;
  to = std::min(to, x.size());
  for (std::size_t n = from; n <= to; ++n) {
    const bool silent = n < to && std::abs(x[n]) < kSilenceLevel;
    if (silent && !quiet) start = n;
    if (!silent && quiet && n - start >= shortest) silences.push_back({start, n});
    quiet = silent;
  }
  return silences;
}

// From the first sound to the last.
inline TStretch SoundingPart(const std::vector<double>& x) {
  TStretch part;
  while (part.begin < x.size() && std::abs(x[part.begin]) < kSilenceLevel) ++part.begin;
  part.end = x.size();
  while (part.end > part.begin && std::abs(x[part.end - 1]) < kSilenceLevel) --part.end;
  return part;
}

// The largest error of predicting each sample of a tone of `hz` at `rate`
// from the two before it, over [from, to).
inline double LargestPredictionError(const std::vector<double>& x, double hz, double rate, std::size_t from,
                                     std::size_t to) {
  const double c = 2 * std::cos(2 * M_PI * hz / rate);
  double largest = 0;
  for (std::size_t n = std::max<std::size_t>(from, 2); n < std::min(to, x.size()); ++n)
    largest = std::max(largest, std::abs(x[n] - (c * x[n - 1] - x[n - 2])));
  return largest;
}

// The largest magnitude over [from, to).
inline double PeakIn(const std::vector<double>& x, std::size_t from, std::size_t to) {
  double peak = 0;
  for (std::size_t n = from; n < std::min(to, x.size()); ++n) peak = std::max(peak, std::abs(x[n]));
  return peak;
}

// The RMS of each `block` samples from `from` on.
inline std::vector<double> BlockLevels(const std::vector<double>& x, std::size_t from, std::size_t block) {
  std::vector<double> levels;
  for (std::size_t at = from; at + block <= x.size(); at += block) {
    double sum = 0;
    for (std::size_t n = at; n < at + block; ++n) sum += x[n] * x[n];
    levels.push_back(std::sqrt(sum / static_cast<double>(block)));
  }
  return levels;
}

// The first block from which on, up to `last`, every level stays within
// `toleranceDb` of `level`.
inline std::size_t SettledFrom(const std::vector<double>& levels, double level, std::size_t last,
                               double toleranceDb) {
  std::size_t settled = last;
  while (settled > 0 && std::abs(20 * std::log10(levels[settled - 1] / level)) < toleranceDb) --settled;
  return settled;
}

}  // namespace orvana::testing
