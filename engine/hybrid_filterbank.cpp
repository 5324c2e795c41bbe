#include "engine/hybrid_filterbank.h"

#include <algorithm>

#include "engine/hybrid_kernels.h"

namespace orvana::engine {

void AliasReduce(float* lines, int boundaries) {
  hybrid::AliasReduceWith<double>(lines, boundaries);
}

void LongCore(float* lines) { hybrid::LongCoreWith<double, hybrid::SequentialOrder>(lines); }

void ShortCore(float* lines) { hybrid::ShortCoreWith<double, hybrid::SequentialOrder>(lines); }

int Hybrid(const KernelSlots& kernels, float* cur, const float* prev, float* out, int blockType,
           int longLimit, int shortLimit, int prevCount, int sbLimit) {
  return hybrid::HybridWith<double, hybrid::SequentialOrder>(
      kernels, cur, prev, out, blockType, longLimit, shortLimit, prevCount, sbLimit);
}

void FrequencyInvert(float* out, int count) {
  const int oddSubbands = (std::clamp(count, 0, kLinesPerGranule) + 17) / 36;
  for (int i = 0; i < oddSubbands; ++i) {
    const int sb = 2 * i + 1;
    for (int t = 1; t < kGranuleSlots; t += 2) out[32 * t + sb] = -out[32 * t + sb];
  }
}

}  // namespace orvana::engine
