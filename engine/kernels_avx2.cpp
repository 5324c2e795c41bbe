// The AVX2 + FMA family, single precision with fused multiply-adds:
// - windowing 16 output lanes at a time against the lane layout of the window,
//   ties to even and saturation as in the plain kernels;
// - alias reduction eight butterflies at a time;
// - the hybrid step with transform and window of a sub-band as one 36 x 18
//   matrix product (the matrices built from the definitions), so it does not
//   call the core slots.
// Compiled for AVX2 by function attribute and chosen at run time, so that the
// build itself needs no -march.
#include <algorithm>
#include <cmath>

#include "engine/cpu_features.h"
#include "engine/hybrid_kernels.h"
#include "engine/kernel_families.h"
#include "engine/synthesis_window.h"

#if defined(__x86_64__)
#include <immintrin.h>

#define ORVANA_AVX2_FMA __attribute__((target("avx2,fma")))

namespace orvana::engine {
namespace {

constexpr int kRingMask = kSynthRingSize - 1;

ORVANA_AVX2_FMA inline __m256 Reverse(__m256 v) {
  return _mm256_permutevar8x32_ps(v, _mm256_setr_epi32(7, 6, 5, 4, 3, 2, 1, 0));
}

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
  int older = (pos + 32) & kRingMask;
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
    newer = (newer + 64) & kRingMask;
    older = (older + 64) & kRingMask;
  }
  samples[0] = ToPcm(_mm256_add_ps(firstEven[0], firstOdd[0]),
                     _mm256_add_ps(firstEven[1], firstOdd[1]));
  samples[1] = ToPcm(_mm256_add_ps(secondEven[0], secondOdd[0]),
                     _mm256_add_ps(secondEven[1], secondOdd[1]));
}

ORVANA_AVX2_FMA void SynthMonoAvx2Fma(const float* window, const float* ring, int pos,
                                      int16_t* out) {
  __m256i samples[2];
  WindowSlotSamples(window, ring, pos, samples);
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), samples[0]);
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 16), samples[1]);
}

// Writes only this channel's positions; the other channel's stay untouched.
ORVANA_AVX2_FMA void SynthInterleavedAvx2Fma(const float* window, const float* ring, int pos,
                                             int16_t* out) {
  alignas(32) int16_t samples[32];
  WindowSlotSamples(window, ring, pos, reinterpret_cast<__m256i*>(samples));
  for (int j = 0; j < 32; ++j) out[2 * j] = samples[j];
}

ORVANA_AVX2_FMA void AliasReduceAvx2Fma(float* lines, int boundaries) {
  const HybridTables& tables = GetHybridTables();
  const __m256 cs = _mm256_loadu_ps(tables.AliasCs);
  const __m256 ca = _mm256_loadu_ps(tables.AliasCa);
  boundaries = std::clamp(boundaries, 0, kSubbandCount - 1);
  for (int s = 0; s < boundaries; ++s) {
    float* upper = lines + kSubbandLines * s + 10;  // lines 17 - j, j = 7..0
    float* lower = lines + kSubbandLines * (s + 1);
    const __m256 a = Reverse(_mm256_loadu_ps(upper));
    const __m256 b = _mm256_loadu_ps(lower);
    _mm256_storeu_ps(upper, Reverse(_mm256_fmsub_ps(a, cs, _mm256_mul_ps(b, ca))));
    _mm256_storeu_ps(lower, _mm256_fmadd_ps(b, cs, _mm256_mul_ps(a, ca)));
  }
}

// Windowed IMDCT as matrices: column k holds the 36 windowed time values of
// line k alone, the 18 output values in rows 0..17 and the 18 overlap values
// in rows 24..41, each half padded to three vectors. Kinds 0, 1, 3: long
// block types; 2: short.
constexpr int kHalfRows = 24;
constexpr int kMatrixRows = 2 * kHalfRows;
struct ImdctMatrices {
  alignas(32) float column[4][18][kMatrixRows] = {};
  static int Row(int i) { return i < 18 ? i : kHalfRows + i - 18; }
  ImdctMatrices() {
    const double pi = 4.0 * std::atan(1.0);
    for (int kind : {0, 1, 3}) {
      for (int k = 0; k < 18; ++k) {
        for (int i = 0; i < 36; ++i) {
          column[kind][k][Row(i)] = static_cast<float>(
              StandardImdctWindow(kind, i) * std::cos(pi / 72 * (2 * i + 19) * (2 * k + 1)));
        }
      }
    }
    // Line 3k + w feeds short window w, which lands at 6 + 6w + i.
    for (int w = 0; w < 3; ++w) {
      for (int k = 0; k < 6; ++k) {
        for (int i = 0; i < 12; ++i) {
          column[2][3 * k + w][Row(6 + 6 * w + i)] = static_cast<float>(
              StandardImdctWindow(2, i) * std::cos(pi / 24 * (2 * i + 7) * (2 * k + 1)));
        }
      }
    }
  }
};

const ImdctMatrices& Matrices() {
  static const ImdctMatrices matrices;
  return matrices;
}

// Writes the eight lanes of `v` to out[0], out[32], ... out[32 * (count - 1)].
ORVANA_AVX2_FMA inline void StoreStrided(__m256 v, float* out, int count) {
  alignas(32) float lanes[8];
  _mm256_store_ps(lanes, v);
  for (int i = 0; i < count; ++i) out[32 * i] = lanes[i];
}

// One sub-band: 36 windowed values, the first 18 added to the previous
// overlap and written out, the last 18 left in `lines` as the new overlap.
ORVANA_AVX2_FMA void TransformSubband(const float (*matrix)[kMatrixRows], float* lines,
                                      const float* prev, float* out) {
  constexpr int kVectors = kMatrixRows / 8;
  // Even and odd lines in separate accumulators halve the dependency chains.
  __m256 even[kVectors], odd[kVectors];
  for (int v = 0; v < kVectors; ++v) even[v] = odd[v] = _mm256_setzero_ps();
#pragma GCC unroll 9
  for (int k = 0; k < 18; k += 2) {
    const __m256 x0 = _mm256_broadcast_ss(lines + k);
    const __m256 x1 = _mm256_broadcast_ss(lines + k + 1);
    for (int v = 0; v < kVectors; ++v) {
      even[v] = _mm256_fmadd_ps(_mm256_load_ps(matrix[k] + 8 * v), x0, even[v]);
      odd[v] = _mm256_fmadd_ps(_mm256_load_ps(matrix[k + 1] + 8 * v), x1, odd[v]);
    }
  }
  __m256 z[kVectors];
  for (int v = 0; v < kVectors; ++v) z[v] = _mm256_add_ps(even[v], odd[v]);
  StoreStrided(_mm256_add_ps(z[0], _mm256_loadu_ps(prev)), out, 8);
  StoreStrided(_mm256_add_ps(z[1], _mm256_loadu_ps(prev + 8)), out + 32 * 8, 8);
  const __m128 tail = _mm_add_ps(_mm256_castps256_ps128(z[2]),
                                 _mm_castpd_ps(_mm_load_sd(reinterpret_cast<const double*>(prev + 16))));
  out[32 * 16] = _mm_cvtss_f32(tail);
  out[32 * 17] = _mm_cvtss_f32(_mm_shuffle_ps(tail, tail, 1));
  _mm256_storeu_ps(lines, z[3]);
  _mm256_storeu_ps(lines + 8, z[4]);
  _mm_store_sd(reinterpret_cast<double*>(lines + 16), _mm_castps_pd(_mm256_castps256_ps128(z[5])));
}

int HybridAvx2Fma(const KernelSlots&, float* cur, const float* prev, float* out, int blockType,
                  int longLimit, int shortLimit, int prevCount, int sbLimit) {
  const ImdctMatrices& m = Matrices();
  const hybrid::LongWindowChoice longWindow(blockType);
  const auto subband = [&](const float (*matrix)[kMatrixRows], int sb) {
    TransformSubband(matrix, cur + kSubbandLines * sb, prev + kSubbandLines * sb, out + sb);
  };
  return hybrid::WalkGranule(
      cur, prev, out, longLimit, shortLimit, prevCount, sbLimit,
      [&](int sb) { subband(m.column[longWindow.RowFor(sb)], sb); },
      [&](int sb) { subband(m.column[2], sb); });
}

}  // namespace

const KernelFamily& Avx2FmaKernels() {
  static const KernelFamily family{"avx2-fma",
                                   cpu::kAvx2 | cpu::kFma,
                                   {{&AliasReduceAvx2Fma, "avx2-fma"},
                                    {},
                                    {},
                                    {&HybridAvx2Fma, "avx2-fma"},
                                    {&SynthMonoAvx2Fma, "avx2-fma"},
                                    {&SynthInterleavedAvx2Fma, "avx2-fma"}}};
  return family;
}

}  // namespace orvana::engine

#else  // no x86-64: the family exists but has no implementations

namespace orvana::engine {
const KernelFamily& Avx2FmaKernels() {
  static const KernelFamily family{"avx2-fma", cpu::kAvx2 | cpu::kFma, {}};
  return family;
}
}  // namespace orvana::engine

#endif
