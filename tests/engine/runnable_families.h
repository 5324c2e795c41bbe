#pragma once
// Kernel families this processor can run (the vector ones need their bits).
#include "engine/cpu_features.h"
#include "engine/kernel_families.h"

namespace orvana::engine {

inline bool RunnableHere(const KernelFamily& family) {
  return (family.requiredFlags & ~DetectCpu()) == 0;
}

}  // namespace orvana::engine
