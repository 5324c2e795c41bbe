// The AVX2 + FMA windowing: each tap of the window is a row of 16 output
// lanes, so that every ring block is read with a few contiguous loads.
#include "engine/avx2_kernels.h"

#if defined(__x86_64__)
#include "engine/avx2_support.h"
#include "engine/synthesis_window.h"

namespace orvana::engine::avx2 {
namespace {

// Offsets 32 - k for lanes k = 0..7 from a load of offsets 24..31; lane 0 (no
// such tap) repeats offset 24 and meets a zero coefficient.
ORVANA_AVX2_FMA inline __m256 DescendingFrom32(const float* block) {
  return _mm256_permutevar8x32_ps(_mm256_loadu_ps(block + 24),
                                  _mm256_setr_epi32(0, 7, 6, 5, 4, 3, 2, 1));
}

ORVANA_AVX2_FMA inline __m256 MulAdd(const float* w, __m256 v, __m256 sum) {
  return _mm256_fmadd_ps(_mm256_loadu_ps(w), v, sum);
}

// 16 sums to 16 samples: clip first (the conversion cannot), ties to even.
ORVANA_AVX2_FMA inline __m256i ToPcm(__m256 low, __m256 high) {
  const __m256 top = _mm256_set1_ps(32767.0f);
  const __m256 bottom = _mm256_set1_ps(-32768.0f);
  // max(v, bottom) yields bottom for a NaN v.
  low = _mm256_min_ps(_mm256_max_ps(low, bottom), top);
  high = _mm256_min_ps(_mm256_max_ps(high, bottom), top);
  const __m256i packed = _mm256_packs_epi32(_mm256_cvtps_epi32(low), _mm256_cvtps_epi32(high));
  return _mm256_permute4x64_epi64(packed, 0xD8);
}

// The 32 samples of one slot: [0] outputs 0..15, [1] outputs 16..31.
ORVANA_AVX2_FMA inline void WindowSlotSamples(const float* window, const float* ring, int pos,
                                              __m256i samples[2]) {
  __m256 firstEven[2] = {_mm256_setzero_ps(), _mm256_setzero_ps()};
  __m256 firstOdd[2] = {_mm256_setzero_ps(), _mm256_setzero_ps()};
  __m256 secondEven[2] = {_mm256_setzero_ps(), _mm256_setzero_ps()};
  __m256 secondOdd[2] = {_mm256_setzero_ps(), _mm256_setzero_ps()};
  int newer = pos;
  int older = (pos + 32) & kSynthRingMask;
  for (int t = 0; t < 8; ++t) {
    const float* e = ring + newer;
    const float* o = ring + older;
    const float* w0 = SynthWindowLane(window, 0, t);
    const float* w1 = SynthWindowLane(window, 1, t);
    const float* w2 = SynthWindowLane(window, 2, t);
    const float* w3 = SynthWindowLane(window, 3, t);
    firstEven[0] = MulAdd(w0, _mm256_loadu_ps(e + 16), firstEven[0]);
    firstEven[1] = MulAdd(w0 + 8, _mm256_loadu_ps(e + 24), firstEven[1]);
    firstOdd[0] = MulAdd(w1, Reverse(_mm256_loadu_ps(o + 9)), firstOdd[0]);
    firstOdd[1] = MulAdd(w1 + 8, Reverse(_mm256_loadu_ps(o + 1)), firstOdd[1]);
    secondEven[0] = MulAdd(w2, DescendingFrom32(e), secondEven[0]);
    secondEven[1] = MulAdd(w2 + 8, Reverse(_mm256_loadu_ps(e + 17)), secondEven[1]);
    secondOdd[0] = MulAdd(w3, _mm256_loadu_ps(o), secondOdd[0]);
    secondOdd[1] = MulAdd(w3 + 8, _mm256_loadu_ps(o + 8), secondOdd[1]);
    newer = (newer + 64) & kSynthRingMask;
    older = (older + 64) & kSynthRingMask;
  }
  samples[0] = ToPcm(_mm256_add_ps(firstEven[0], firstOdd[0]),
                     _mm256_add_ps(firstEven[1], firstOdd[1]));
  samples[1] = ToPcm(_mm256_add_ps(secondEven[0], secondOdd[0]),
                     _mm256_add_ps(secondEven[1], secondOdd[1]));
}

}  // namespace

ORVANA_AVX2_FMA void SynthMono(const float* window, const float* ring, int pos,
                                int16_t* out) {
  __m256i samples[2];
  WindowSlotSamples(window, ring, pos, samples);
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), samples[0]);
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 16), samples[1]);
}

// Writes only this channel's positions; the other channel's stay untouched.
ORVANA_AVX2_FMA void SynthInterleaved(const float* window, const float* ring, int pos,
                                       int16_t* out) {
  alignas(32) int16_t samples[32];
  WindowSlotSamples(window, ring, pos, reinterpret_cast<__m256i*>(samples));
  for (int j = 0; j < 32; ++j) out[2 * j] = samples[j];
}

}  // namespace orvana::engine::avx2
#endif
