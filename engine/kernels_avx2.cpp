// The AVX2 + FMA family (see avx2_kernels.h). Without x86-64 it exists but
// implements nothing, so that the selection never installs it.
#include "engine/avx2_kernels.h"
#include "engine/cpu_features.h"
#include "engine/kernel_families.h"

namespace orvana::engine {

const KernelFamily& Avx2FmaKernels() {
#if defined(__x86_64__)
  static const KernelFamily family{"avx2-fma",
                                   cpu::kAvx2 | cpu::kFma,
                                   {{&avx2::AliasReduce, "avx2-fma"},
                                    {},
                                    {},
                                    {&avx2::Hybrid, "avx2-fma"},
                                    {&avx2::SynthMono, "avx2-fma"},
                                    {&avx2::SynthInterleaved, "avx2-fma"}}};
#else
  static const KernelFamily family{"avx2-fma", cpu::kAvx2 | cpu::kFma, {}};
#endif
  return family;
}

}  // namespace orvana::engine
