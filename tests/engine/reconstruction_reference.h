#pragma once
// Straightforward computations of the reconstruction stages by their
// definitions, in double precision, for the tests to compare against.
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace orvana::engine::reference {

inline const double kPi = 4.0 * std::atan(1.0);

// n-point IMDCT of n/2 inputs.
inline std::vector<double> Imdct(const double* in, int n) {
  std::vector<double> out(n);
  for (int i = 0; i < n; ++i) {
    double sum = 0;
    for (int k = 0; k < n / 2; ++k)
      sum += in[k] * std::cos(kPi / (2 * n) * (2 * i + 1 + n / 2) * (2 * k + 1));
    out[i] = sum;
  }
  return out;
}

// The window of block type 0, 1, 3 (36 values) or of one short block (12).
inline double LongWindow(int blockType, int i) {
  const double normal = std::sin(kPi / 36 * (i + 0.5));
  switch (blockType) {
    case 1:
      if (i < 18) return normal;
      if (i < 24) return 1.0;
      if (i < 30) return std::sin(kPi / 12 * (i - 18 + 0.5));
      return 0.0;
    case 3:
      if (i < 6) return 0.0;
      if (i < 12) return std::sin(kPi / 12 * (i - 6 + 0.5));
      if (i < 18) return 1.0;
      return normal;
    default:
      return normal;
  }
}
inline double ShortWindow(int i) { return std::sin(kPi / 12 * (i + 0.5)); }

// The 36 windowed time values of one sub-band. Short blocks read line 3k + w.
inline std::vector<double> WindowedSubband(const float* lines, int blockType, bool shortBlock) {
  std::vector<double> z(36, 0.0);
  if (!shortBlock) {
    double in[18];
    for (int k = 0; k < 18; ++k) in[k] = lines[k];
    const std::vector<double> x = Imdct(in, 36);
    for (int i = 0; i < 36; ++i) z[i] = x[i] * LongWindow(blockType, i);
    return z;
  }
  for (int w = 0; w < 3; ++w) {
    double in[6];
    for (int k = 0; k < 6; ++k) in[k] = lines[3 * k + w];
    const std::vector<double> x = Imdct(in, 12);
    for (int i = 0; i < 12; ++i) z[6 + 6 * w + i] += x[i] * ShortWindow(i);
  }
  return z;
}

// A channel's filterbank state across granules, by the book.
struct HybridReference {
  double overlap[32][18] = {};
  // One granule: `longSubbands` sub-bands use the long transform (with the
  // normal window when the block type is 2, or when `mixed` for the two lowest
  // ones), the rest the short one when the block type is 2. Returns 576
  // values at 32 t + sb, frequency-inverted.
  std::vector<double> Granule(const float* lines, int blockType, int longSubbands,
                              bool mixed = false) {
    std::vector<double> out(576);
    for (int sb = 0; sb < 32; ++sb) {
      const bool shortBlock = blockType == 2 && sb >= longSubbands;
      const int window = blockType == 2 || (mixed && sb < 2) ? 0 : blockType;
      const std::vector<double> z = WindowedSubband(lines + 18 * sb, window, shortBlock);
      for (int t = 0; t < 18; ++t) {
        double v = z[t] + overlap[sb][t];
        if ((sb & 1) && (t & 1)) v = -v;
        out[32 * t + sb] = v;
        overlap[sb][t] = z[18 + t];
      }
    }
    return out;
  }
};

// The standard synthesis: 64-value V vector into a 1024-value FIFO, U and W.
struct SynthesisReference {
  std::vector<double> fifo = std::vector<double>(1024, 0.0);
  const float* d;  // D[0..511]
  explicit SynthesisReference(const float* window) : d(window) {}

  std::vector<double> Slot(const float* samples, int stride = 1) {
    for (int i = 1023; i >= 64; --i) fifo[i] = fifo[i - 64];
    for (int i = 0; i < 64; ++i) {
      double sum = 0;
      for (int k = 0; k < 32; ++k)
        sum += std::cos((16 + i) * (2 * k + 1) * kPi / 64) * samples[k * stride];
      fifo[i] = sum;
    }
    std::vector<double> out(32, 0.0);
    for (int j = 0; j < 32; ++j) {
      for (int i = 0; i < 8; ++i) {
        out[j] += fifo[128 * i + j] * d[64 * i + j];
        out[j] += fifo[128 * i + 96 + j] * d[64 * i + 32 + j];
      }
    }
    return out;
  }
};

inline std::vector<float> RandomFloats(std::mt19937& rng, int count, float amplitude) {
  std::uniform_real_distribution<float> dist(-amplitude, amplitude);
  std::vector<float> v(count);
  for (float& x : v) x = dist(rng);
  return v;
}

}  // namespace orvana::engine::reference
