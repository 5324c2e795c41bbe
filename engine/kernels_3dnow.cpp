// The 3DNow! family: single precision, the windowing in two lanes with the
// +0.5 rounding rule.
#include "engine/hybrid_kernels.h"
#include "engine/kernel_families.h"
#include "engine/synth_window_kernels.h"

namespace orvana::engine {

const KernelFamily& ThreeDNowKernels() {
  static const KernelFamily family{"3dnow",
                                   0,
                                   {
                                       {&hybrid::AliasReduceWith<float>, "3dnow"},
                                       {},
                                       {},
                                       {},
                                       {&synth::WindowSlot<synth::ThreeDNowPolicy, 1>, "3dnow"},
                                       {&synth::WindowSlot<synth::ThreeDNowPolicy, 2>, "3dnow"},
                                   }};
  return family;
}

}  // namespace orvana::engine
