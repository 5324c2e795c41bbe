#pragma once
// Every implementation of the kernel slots, grouped by family. A family fills
// only the slots it has an implementation for; the others stay empty (null
// `run`). All implementations of a slot compute the same formulas; they differ
// in precision, summation order and, for the windowing, in the rounding of
// exact halves.
#include <cstdint>
#include <span>

#include "engine/kernel_slots.h"

namespace orvana::engine {

struct KernelFamily {
  const char* name;
  uint32_t requiredFlags;  // feature bits the processor must have to run it
  KernelSlots slots;
};

const KernelFamily& PlainKernels();       // double precision accumulation
const KernelFamily& IntelKernels();       // double precision, pipelined order
const KernelFamily& IntelCmovKernels();   // windowing with branch-free clipping
const KernelFamily& ThreeDNowKernels();   // single precision in two lanes, +0.5 rounding
const KernelFamily& E3DNowKernels();      // single precision transforms
const KernelFamily& E3DNowCmovKernels();  // single precision hybrid, branch-free
const KernelFamily& E3DNowEmmxKernels();  // two output samples per pass
const KernelFamily& Avx2FmaKernels();     // 8-lane fused multiply-add windowing

// All families, plain first.
std::span<const KernelFamily* const> AllKernelFamilies();

}  // namespace orvana::engine
