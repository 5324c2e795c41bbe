#include "engine/kernel_selection.h"

#include "engine/cpu_features.h"
#include "engine/kernel_families.h"

namespace orvana::engine {

void SelectKernels(KernelSlots& kernels, uint32_t flags) {
  if (!(flags & cpu::k3DNow)) flags &= ~cpu::kE3DNow;
  const auto has = [flags](uint32_t bits) { return (flags & bits) == bits; };
  const bool pentiumIntel = has(cpu::kVendorIntel) && (flags & (cpu::kFamily5 | cpu::kFamily6));
  const bool avx2Fma = has(cpu::kAvx2 | cpu::kFma);
  const KernelSlots& plain = PlainKernels().slots;
  const KernelSlots& modern = Avx2FmaKernels().slots;

  kernels.AliasReduce = avx2Fma             ? modern.AliasReduce
                        : has(cpu::kE3DNow) ? E3DNowKernels().slots.AliasReduce
                        : has(cpu::k3DNow)  ? ThreeDNowKernels().slots.AliasReduce
                                            : plain.AliasReduce;

  const KernelSlots& cores = has(cpu::kE3DNow) ? E3DNowKernels().slots
                             : pentiumIntel    ? IntelKernels().slots
                                               : plain;
  kernels.LongCore = cores.LongCore;
  kernels.ShortCore = cores.ShortCore;

  kernels.Hybrid = avx2Fma                          ? modern.Hybrid
                   : has(cpu::kE3DNow | cpu::kCmov) ? E3DNowCmovKernels().slots.Hybrid
                   : pentiumIntel                   ? IntelKernels().slots.Hybrid
                                                    : plain.Hybrid;

  const KernelSlots& windowing = avx2Fma                           ? modern
                                 : has(cpu::kE3DNow | cpu::kEmmx)  ? E3DNowEmmxKernels().slots
                                 : has(cpu::k3DNow)                ? ThreeDNowKernels().slots
                                 : pentiumIntel && has(cpu::kCmov) ? IntelCmovKernels().slots
                                 : pentiumIntel                    ? IntelKernels().slots
                                                                   : plain;
  kernels.SynthMono = windowing.SynthMono;
  kernels.SynthInterleaved = windowing.SynthInterleaved;
}

}  // namespace orvana::engine
