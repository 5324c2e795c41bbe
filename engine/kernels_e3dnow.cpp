// The extended 3DNow! families: single precision transforms with sums in
// pairs, a single precision hybrid step (the cmov row) and the windowing two
// output samples per pass (the MMX-extensions row).
#include "engine/hybrid_kernels.h"
#include "engine/kernel_families.h"
#include "engine/synth_window_kernels.h"

namespace orvana::engine {

using hybrid::PairwiseOrder;

const KernelFamily& E3DNowKernels() {
  static const KernelFamily family{"e3dnow",
                                   0,
                                   {
                                       {&hybrid::AliasReduceWith<float>, "e3dnow"},
                                       {&hybrid::LongCoreWith<float, PairwiseOrder>, "e3dnow"},
                                       {&hybrid::ShortCoreWith<float, PairwiseOrder>, "e3dnow"},
                                       {},
                                       {},
                                       {},
                                   }};
  return family;
}

const KernelFamily& E3DNowCmovKernels() {
  static const KernelFamily family{"e3dnow-cmov",
                                   0,
                                   {
                                       {},
                                       {},
                                       {},
                                       {&hybrid::HybridWith<float, PairwiseOrder>, "e3dnow-cmov"},
                                       {},
                                       {},
                                   }};
  return family;
}

const KernelFamily& E3DNowEmmxKernels() {
  static const KernelFamily family{
      "e3dnow-emmx",
      0,
      {
          {},
          {},
          {},
          {},
          {&synth::WindowSlotInPairs<synth::ThreeDNowPolicy, 1>, "e3dnow-emmx"},
          {&synth::WindowSlotInPairs<synth::ThreeDNowPolicy, 2>, "e3dnow-emmx"},
      }};
  return family;
}

}  // namespace orvana::engine
