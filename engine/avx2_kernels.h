#pragma once
// The AVX2 + FMA kernels, single precision with fused multiply-adds. They run
// only where DetectCpu() reports kAvx2 and kFma (see Avx2FmaKernels()).
#include <cstdint>

#include "engine/kernel_slots.h"

namespace orvana::engine::avx2 {

// Windowing 16 output lanes at a time against the lane layout of the window;
// ties to even and saturation as in the plain kernels.
void SynthMono(const float* window, const float* ring, int pos, int16_t* out);
void SynthInterleaved(const float* window, const float* ring, int pos, int16_t* out);

// Alias reduction eight butterflies at a time.
void AliasReduce(float* lines, int boundaries);

// The hybrid step with transform and window of each sub-band as one 36 x 18
// matrix product (the matrices built from the definitions); it does not call
// the core slots.
int Hybrid(const KernelSlots& kernels, float* cur, const float* prev, float* out, int blockType,
           int longLimit, int shortLimit, int prevCount, int sbLimit);

}  // namespace orvana::engine::avx2
