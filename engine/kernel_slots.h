#pragma once
// The engine's function slots for its innermost routines. Each slot holds one
// implementation and that implementation's name, so that the choice made for a
// processor can be observed and every variant tested against the plain one.
#include <cstdint>

namespace orvana::engine {

struct KernelSlots;

// In place on one channel's 576 lines; `boundaries` sub-band boundaries (0..31).
using AliasReduceFn = void (*)(float* lines, int boundaries);
// In place on the 18 lines of one sub-band.
using LongCoreFn = void (*)(float* lines);
using ShortCoreFn = void (*)(float* lines);
// One channel, one granule: `cur` holds the granule's lines on entry and its
// overlap on exit, `prev` the previous granule's overlap, `out` receives 18 time
// slots of 32 sub-bands (32 * t + sb). Calls the LongCore/ShortCore slots of
// `kernels`. Returns the new line count for `cur`.
using HybridFn = int (*)(const KernelSlots& kernels, float* cur, const float* prev, float* out,
                         int blockType, int longLimit, int shortLimit, int prevCount,
                         int sbLimit);
// Windowing of one time slot: 32 samples from one channel's ring at `pos`,
// written consecutively (mono) or to every second position (interleaved).
using SynthFn = void (*)(const float* window, const float* ring, int pos, int16_t* out);

template <typename Fn>
struct Kernel {
  Fn run = nullptr;
  const char* name = "";
};

struct KernelSlots {
  Kernel<AliasReduceFn> AliasReduce;
  Kernel<LongCoreFn> LongCore;
  Kernel<ShortCoreFn> ShortCore;
  Kernel<HybridFn> Hybrid;
  Kernel<SynthFn> SynthMono;
  Kernel<SynthFn> SynthInterleaved;
};

}  // namespace orvana::engine
