#pragma once
// The windowing step in scalar code, written once for the historical kernel
// families. A policy gives the accumulator type, whether the even and odd tap
// chains are summed apart, the starting bias and the conversion to 16 bits.
#include <cmath>
#include <cstdint>

#include "engine/pcm_output.h"
#include "engine/synthesis.h"

namespace orvana::engine::synth {

inline int NextTap(int position) { return (position + 64) & kSynthRingMask; }

template <typename Policy>
struct Sum {
  using Accum = typename Policy::Accum;
  Accum even = Policy::kBias;
  Accum odd = 0;
  // Adds w * v to the even chain, or (sign -1) subtracts it from the odd one.
  void Even(float w, float v) { even += static_cast<Accum>(w) * v; }
  void Odd(float w, float v, int sign) {
    if constexpr (Policy::kSplitChains) {
      odd += static_cast<Accum>(w) * v;
    } else {
      even += sign * (static_cast<Accum>(w) * v);
    }
  }
  int16_t Pcm(int sign) const {
    if constexpr (Policy::kSplitChains) {
      return Policy::Convert(sign > 0 ? even + odd : even - odd);
    } else {
      return Policy::Convert(even);
    }
  }
};

// Output j of 0..15: even chain from the newest block, odd chain one block older.
template <typename Policy>
int16_t FirstHalfSample(const float* window, const float* ring, int pos, int j) {
  Sum<Policy> sum;
  int e = pos + 16 + j;
  int o = (pos + 48 - j) & kSynthRingMask;
  const float* w = window + 16 * j;
  for (int t = 0; t < 8; ++t, e = NextTap(e), o = NextTap(o)) {
    sum.Even(w[2 * t], ring[e]);
    sum.Odd(w[2 * t + 1], ring[o], -1);
  }
  return sum.Pcm(-1);
}

// Output 16: its even taps meet zero values and are not stored.
template <typename Policy>
int16_t MiddleSample(const float* window, const float* ring, int pos) {
  Sum<Policy> sum;
  int o = (pos + 32) & kSynthRingMask;
  for (int t = 0; t < 8; ++t, o = NextTap(o)) sum.Odd(window[256 + t], ring[o], +1);
  return sum.Pcm(+1);
}

// Output 17 + m: the window rows read backwards.
template <typename Policy>
int16_t SecondHalfSample(const float* window, const float* ring, int pos, int m) {
  Sum<Policy> sum;
  int e = pos + 31 - m;
  int o = ((pos + 32) & kSynthRingMask) + 1 + m;
  const float* w = window + 255 - 16 * m;
  for (int t = 0; t < 8; ++t, e = NextTap(e), o = NextTap(o)) {
    sum.Even(w[-2 * t], ring[e]);
    sum.Odd(w[-2 * t - 1], ring[o], +1);
  }
  return sum.Pcm(+1);
}

// All 32 outputs of a slot, one sample per pass, to out[kStride * j].
template <typename Policy, int kStride>
void WindowSlot(const float* window, const float* ring, int pos, int16_t* out) {
  for (int j = 0; j < 16; ++j) out[kStride * j] = FirstHalfSample<Policy>(window, ring, pos, j);
  out[kStride * 16] = MiddleSample<Policy>(window, ring, pos);
  for (int m = 0; m < 15; ++m) {
    out[kStride * (17 + m)] = SecondHalfSample<Policy>(window, ring, pos, m);
  }
}

// The same outputs two per pass: sample j together with its mirror 32 - j,
// which read neighbouring ring blocks.
template <typename Policy, int kStride>
void WindowSlotInPairs(const float* window, const float* ring, int pos, int16_t* out) {
  out[0] = FirstHalfSample<Policy>(window, ring, pos, 0);
  out[kStride * 16] = MiddleSample<Policy>(window, ring, pos);
  for (int j = 1; j < 16; ++j) {
    const int16_t low = FirstHalfSample<Policy>(window, ring, pos, j);
    const int16_t high = SecondHalfSample<Policy>(window, ring, pos, 15 - j);
    out[kStride * j] = low;
    out[kStride * (32 - j)] = high;
  }
}

// Accumulation in double (the unit's extended precision), one running sum,
// ties to even, clipping by comparison.
struct PlainPolicy {
  using Accum = double;
  static constexpr bool kSplitChains = false;
  static constexpr Accum kBias = 0.0;
  static int16_t Convert(double s) { return PcmRoundNearestEven(s); }
};

// Double precision with the two tap chains in separate registers.
struct IntelPolicy {
  using Accum = double;
  static constexpr bool kSplitChains = true;
  static constexpr Accum kBias = 0.0;
  static int16_t Convert(double s) { return PcmRoundNearestEven(s); }
};

// As IntelPolicy, clipping without branches.
struct IntelCmovPolicy {
  using Accum = double;
  static constexpr bool kSplitChains = true;
  static constexpr Accum kBias = 0.0;
  static int16_t Convert(double s) {
    const double clipped = std::fmin(std::fmax(s, -32768.0), 32767.0);  // NaN -> -32768
    return static_cast<int16_t>(std::lrint(clipped));
  }
};

// Single precision in two lanes, biased by +0.5 from the start.
struct ThreeDNowPolicy {
  using Accum = float;
  static constexpr bool kSplitChains = true;
  static constexpr Accum kBias = 0.5f;
  static int16_t Convert(float biased) { return PcmFromBiasedSum(biased); }
};

}  // namespace orvana::engine::synth
