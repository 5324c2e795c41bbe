// The Intel-scheduled families: double precision, sums in pairs; the windowing
// keeps its two tap chains apart and, in the cmov variant, clips branch-free.
#include "engine/hybrid_kernels.h"
#include "engine/kernel_families.h"
#include "engine/synth_window_kernels.h"

namespace orvana::engine {

using hybrid::PairwiseOrder;

const KernelFamily& IntelKernels() {
  static const KernelFamily family{"intel",
                                   0,
                                   {
                                       {},
                                       {&hybrid::LongCoreWith<double, PairwiseOrder>, "intel"},
                                       {&hybrid::ShortCoreWith<double, PairwiseOrder>, "intel"},
                                       {&hybrid::HybridWith<double, PairwiseOrder>, "intel"},
                                       {&synth::WindowSlot<synth::IntelPolicy, 1>, "intel"},
                                       {&synth::WindowSlot<synth::IntelPolicy, 2>, "intel"},
                                   }};
  return family;
}

const KernelFamily& IntelCmovKernels() {
  static const KernelFamily family{
      "intel-cmov",
      0,
      {
          {},
          {},
          {},
          {},
          {&synth::WindowSlot<synth::IntelCmovPolicy, 1>, "intel-cmov"},
          {&synth::WindowSlot<synth::IntelCmovPolicy, 2>, "intel-cmov"},
      }};
  return family;
}

}  // namespace orvana::engine
