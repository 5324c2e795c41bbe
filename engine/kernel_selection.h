#pragma once
// Installs one implementation per kernel slot for a capability word. Rows, first
// match wins (3DNow! off also drops extended 3DNow!; "Pentium-class Intel" is
// vendor Intel with family 5 or 6+):
//
//   AliasReduce       avx2-fma (AVX2 and FMA) | e3dnow (0x20) | 3dnow (0x4) | plain
//   LongCore,         e3dnow (0x20) | intel (Pentium-class Intel) | plain
//   ShortCore
//   Hybrid            avx2-fma (AVX2 and FMA) | e3dnow-cmov (0x20 and 0x10) |
//                     intel (Pentium-class Intel) | plain
//   SynthMono,        avx2-fma (AVX2 and FMA) | e3dnow-emmx (0x20 and 0x40) |
//   SynthInterleaved  3dnow (0x4) | intel-cmov (Pentium-class Intel and 0x10) |
//                     intel (Pentium-class Intel) | plain
//
// The name of every installed implementation is in its slot's `name`. The
// avx2-fma Hybrid transforms and windows each sub-band in one matrix product
// and so does not call the LongCore and ShortCore slots. `flags` must not
// claim vector extensions the processor lacks (the player intersects the
// user's choice with DetectCpu()).
#include <cstdint>

#include "engine/kernel_slots.h"

namespace orvana::engine {

void SelectKernels(KernelSlots& kernels, uint32_t flags);

}  // namespace orvana::engine
