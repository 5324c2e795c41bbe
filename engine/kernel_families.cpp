#include "engine/kernel_families.h"

namespace orvana::engine {

std::span<const KernelFamily* const> AllKernelFamilies() {
  static const KernelFamily* const families[] = {
      &PlainKernels(),  &IntelKernels(),      &IntelCmovKernels(),  &ThreeDNowKernels(),
      &E3DNowKernels(), &E3DNowCmovKernels(), &E3DNowEmmxKernels(), &Avx2FmaKernels(),
  };
  return families;
}

}  // namespace orvana::engine
