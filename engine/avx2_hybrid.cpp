// The AVX2 + FMA alias reduction and hybrid step.
#include "engine/avx2_kernels.h"

#if defined(__x86_64__)
#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "engine/avx2_support.h"
#include "engine/hybrid_kernels.h"

namespace orvana::engine::avx2 {

ORVANA_AVX2_FMA void AliasReduce(float* lines, int boundaries) {
  const HybridTables& tables = GetHybridTables();
  const __m256 cs = _mm256_loadu_ps(tables.AliasCs);
  const __m256 ca = _mm256_loadu_ps(tables.AliasCa);
  boundaries = std::clamp(boundaries, 0, kSubbandCount - 1);
  for (int s = 0; s < boundaries; ++s) {
    float* upper = lines + kLinesPerSubband * s + 10;  // lines 17 - j, j = 7..0
    float* lower = lines + kLinesPerSubband * (s + 1);
    const __m256 a = Reverse(_mm256_loadu_ps(upper));
    const __m256 b = _mm256_loadu_ps(lower);
    _mm256_storeu_ps(upper, Reverse(_mm256_fmsub_ps(a, cs, _mm256_mul_ps(b, ca))));
    _mm256_storeu_ps(lower, _mm256_fmadd_ps(b, cs, _mm256_mul_ps(a, ca)));
  }
}

namespace {

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

}  // namespace

int Hybrid(const KernelSlots&, float* cur, const float* prev, float* out, int blockType,
           int longLimit, int shortLimit, int prevCount, int sbLimit) {
  const ImdctMatrices& m = Matrices();
  const hybrid::LongWindowChoice longWindow(blockType);
  const auto subband = [&](const float (*matrix)[kMatrixRows], int sb) {
    TransformSubband(matrix, cur + kLinesPerSubband * sb, prev + kLinesPerSubband * sb, out + sb);
  };
  return hybrid::WalkGranule(
      cur, prev, out, longLimit, shortLimit, prevCount, sbLimit,
      [&](int sb) { subband(m.column[longWindow.RowFor(sb)], sb); },
      [&](int sb) { subband(m.column[2], sb); });
}

}  // namespace orvana::engine::avx2
#endif
