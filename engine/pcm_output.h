#pragma once
// Conversion of one windowed synthesis sum to a signed 16-bit sample. Both
// rules clip instead of wrapping; a NaN sum (only possible from hostile input)
// becomes -32768, as the vector conversions give it.
#include <cmath>
#include <cstdint>

namespace orvana::engine {

// Round to nearest, ties to even (the process's default rounding), then clip.
inline int16_t PcmRoundNearestEven(double sum) {
  if (!(sum > -32768.0)) return -32768;
  if (!(sum < 32767.0)) return 32767;
  return static_cast<int16_t>(std::lrint(sum));
}

// The 3DNow! rule for a sum that already carries the +0.5 bias: non-positive
// values move down by one, then truncate toward zero and saturate.
inline int16_t PcmFromBiasedSum(float biased) {
  if (!(biased > 0.0f)) biased -= 1.0f;
  if (!(biased > -32768.0f)) return -32768;
  if (!(biased < 32767.0f)) return 32767;
  return static_cast<int16_t>(static_cast<int32_t>(biased));
}

// The 3DNow! rule for an unbiased sum: ties move away from zero.
inline int16_t PcmRoundHalfUp(float sum) { return PcmFromBiasedSum(sum + 0.5f); }

}  // namespace orvana::engine
