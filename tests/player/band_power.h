#pragma once
// The power of decoded sound in a band of frequencies: the average of Hann-
// windowed FFTs over the whole signal (Welch's method), for measuring what
// an equalizer does to each frequency.
#include <cmath>
#include <complex>
#include <cstddef>
#include <numbers>
#include <utility>
#include <vector>

namespace orvana::testing {

inline void Fft(std::vector<std::complex<double>>& x) {
  const std::size_t n = x.size();
  for (std::size_t i = 1, j = 0; i < n; ++i) {
    std::size_t bit = n >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(x[i], x[j]);
  }
  for (std::size_t length = 2; length <= n; length <<= 1) {
    const std::complex<double> step = std::polar(1.0, -2 * std::numbers::pi / static_cast<double>(length));
    for (std::size_t i = 0; i < n; i += length) {
      std::complex<double> w = 1;
      for (std::size_t k = 0; k < length / 2; ++k, w *= step) {
        const std::complex<double> a = x[i + k];
        const std::complex<double> b = x[i + k + length / 2] * w;
        x[i + k] = a + b;
        x[i + k + length / 2] = a - b;
      }
    }
  }
}

// Mean power per frequency line of `samples` (one channel) in [lowHz, highHz].
inline double BandPower(const std::vector<double>& samples, double rate, double lowHz, double highHz) {
  constexpr std::size_t kLength = 4096;
  std::vector<double> power(kLength / 2, 0.0);
  int blocks = 0;
  for (std::size_t at = 0; at + kLength <= samples.size(); at += kLength / 2, ++blocks) {
    std::vector<std::complex<double>> x(kLength);
    for (std::size_t i = 0; i < kLength; ++i)
      x[i] = samples[at + i] * (0.5 - 0.5 * std::cos(2 * std::numbers::pi * static_cast<double>(i) / kLength));
    Fft(x);
    for (std::size_t k = 0; k < kLength / 2; ++k) power[k] += std::norm(x[k]);
  }
  double sum = 0;
  int lines = 0;
  for (std::size_t k = 0; k < kLength / 2; ++k) {
    const double hz = static_cast<double>(k) * rate / kLength;
    if (hz < lowHz || hz > highHz) continue;
    sum += power[k];
    ++lines;
  }
  return blocks > 0 && lines > 0 ? sum / blocks / lines : 0.0;
}

// 10 log10 of a ratio of powers.
inline double Decibels(double power, double reference) { return 10 * std::log10(power / reference); }

}  // namespace orvana::testing
