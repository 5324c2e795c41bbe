// The plain family: double precision accumulation, every slot.
#include "engine/hybrid_filterbank.h"
#include "engine/kernel_families.h"
#include "engine/synth_window_kernels.h"

namespace orvana::engine {

const KernelFamily& PlainKernels() {
  static const KernelFamily family{"plain",
                                   0,
                                   {
                                       {&AliasReduce, "plain"},
                                       {&LongCore, "plain"},
                                       {&ShortCore, "plain"},
                                       {&Hybrid, "plain"},
                                       {&synth::WindowSlot<synth::PlainPolicy, 1>, "plain"},
                                       {&synth::WindowSlot<synth::PlainPolicy, 2>, "plain"},
                                   }};
  return family;
}

}  // namespace orvana::engine
