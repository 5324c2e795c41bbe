#pragma once
// Helpers of the AVX2 + FMA kernels. Everything here is compiled for those
// extensions by function attribute, so that the build needs no -march; only
// code that runs where DetectCpu() reports kAvx2 and kFma may call it.
#if defined(__x86_64__)
#include <immintrin.h>

#define ORVANA_AVX2_FMA __attribute__((target("avx2,fma")))

namespace orvana::engine::avx2 {

ORVANA_AVX2_FMA inline __m256 Reverse(__m256 v) {
  return _mm256_permutevar8x32_ps(v, _mm256_setr_epi32(7, 6, 5, 4, 3, 2, 1, 0));
}

}  // namespace orvana::engine::avx2
#endif
