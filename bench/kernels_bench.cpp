// Nanoseconds per call of every kernel implementation this processor can run:
// the IMDCT cores per sub-band, the hybrid step and alias reduction per
// granule, the windowing per time slot, and the DCT per slot.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <random>
#include <utility>
#include <vector>

#include "engine/cpu_features.h"
#include "engine/hybrid_filterbank.h"
#include "engine/kernel_families.h"
#include "engine/kernel_selection.h"
#include "engine/synthesis.h"

namespace {

using namespace orvana::engine;
using Clock = std::chrono::steady_clock;

volatile float gSink;

template <typename Body>
double NanosecondsPerCall(int calls, Body body) {
  double best = 1e300;
  for (int round = 0; round < 5; ++round) {
    const auto start = Clock::now();
    for (int i = 0; i < calls; ++i) body(i);
    const double ns =
        std::chrono::duration<double, std::nano>(Clock::now() - start).count() / calls;
    if (ns < best) best = ns;
  }
  return best;
}

std::vector<float> Random(int count, float amplitude, unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<float> dist(-amplitude, amplitude);
  std::vector<float> v(count);
  for (float& x : v) x = dist(rng);
  return v;
}

}  // namespace

int main() {
  DetectCpu();  // also sets the SIMD control register, as playback does
  const std::vector<float> spectrum = Random(576 * 16, 3000.0f, 1);
  const std::vector<float> slots = Random(32 * 64, 3000.0f, 2);
  auto state = std::make_unique<SynthesisState>();
  for (int b = 0; b < 16; ++b) Dct32(slots.data() + 32 * b, 1, state->SynthRing[0] + 32 * b);

  std::printf("%-12s %-18s %12s\n", "family", "kernel", "ns/call");
  for (const KernelFamily* family : AllKernelFamilies()) {
    if (family->requiredFlags & ~DetectCpu()) {
      std::printf("%-12s (not on this processor)\n", family->name);
      continue;
    }
    const KernelSlots& k = family->slots;
    std::vector<float> work(576 * 2);
    if (k.AliasReduce.run) {
      const double ns = NanosecondsPerCall(20000, [&](int i) {
        std::copy_n(spectrum.data() + 576 * (i & 15), 576, work.data());
        k.AliasReduce.run(work.data(), 31);
      });
      std::printf("%-12s %-18s %12.1f   per granule (incl. 576-line copy)\n", family->name,
                  "AliasReduce", ns);
    }
    for (const auto& [name, core] : {std::pair{"LongCore", k.LongCore}, std::pair{"ShortCore", k.ShortCore}}) {
      if (!core.run) continue;
      const double ns = NanosecondsPerCall(200000, [&](int i) {
        std::copy_n(spectrum.data() + 18 * (i & 255), 18, work.data());
        core.run(work.data());
      });
      std::printf("%-12s %-18s %12.1f   per sub-band\n", family->name, name, ns);
    }
    if (k.Hybrid.run) {
      KernelSlots slots = PlainKernels().slots;
      slots.Hybrid = k.Hybrid;
      if (k.LongCore.run) {
        slots.LongCore = k.LongCore;
        slots.ShortCore = k.ShortCore;
      }
      std::vector<float> out(576), prev(spectrum.begin(), spectrum.begin() + 576);
      const double ns = NanosecondsPerCall(20000, [&](int i) {
        std::copy_n(spectrum.data() + 576 * (i & 15), 576, work.data());
        slots.Hybrid.run(slots, work.data(), prev.data(), out.data(), 0, 558, 558, 558, 31);
      });
      std::printf("%-12s %-18s %12.1f   per granule, long blocks, 31 sub-bands (incl. copy)\n",
                  family->name, "Hybrid", ns);
    }
    if (k.SynthMono.run) {
      int16_t pcm[64];
      const double mono = NanosecondsPerCall(500000, [&](int i) {
        k.SynthMono.run(state->SynthWindow, state->SynthRing[0], (i & 15) * 32, pcm);
        gSink = pcm[i & 31];
      });
      const double interleaved = NanosecondsPerCall(500000, [&](int i) {
        k.SynthInterleaved.run(state->SynthWindow, state->SynthRing[0], (i & 15) * 32, pcm);
        gSink = pcm[i & 63];
      });
      std::printf("%-12s %-18s %12.1f   per slot\n", family->name, "SynthMono", mono);
      std::printf("%-12s %-18s %12.1f   per slot\n", family->name, "SynthInterleaved", interleaved);
    }
  }
  float out[32];
  const double dct = NanosecondsPerCall(500000, [&](int i) {
    Dct32(slots.data() + 32 * (i & 63), 1, out);
    gSink = out[i & 31];
  });
  std::printf("%-12s %-18s %12.1f   per slot\n", "single", "Dct32", dct);

  KernelSlots selected;
  SelectKernels(selected, DetectCpu());
  std::printf(
      "\nselected here: AliasReduce %s, LongCore %s, ShortCore %s, Hybrid %s, SynthMono %s, "
      "SynthInterleaved %s\n",
      selected.AliasReduce.name, selected.LongCore.name, selected.ShortCore.name,
      selected.Hybrid.name, selected.SynthMono.name, selected.SynthInterleaved.name);

  // One stereo granule through the selected path: hybrid, inversion, synthesis.
  EqualizerState equalizer;
  std::vector<float> buffers(576 * 2), out576(576);
  std::vector<int16_t> pcm(1152);
  const double granule = NanosecondsPerCall(5000, [&](int i) {
    for (int ch = 0; ch < 2; ++ch) {
      std::copy_n(spectrum.data() + 576 * ((i + ch) & 15), 576, buffers.data());
      selected.AliasReduce.run(buffers.data(), 31);
      const int n = selected.Hybrid.run(selected, buffers.data(), buffers.data() + 576,
                                        out576.data(), 0, 558, 558, 558, 31);
      FrequencyInvert(out576.data(), n);
      SynthesizeLayer3Stereo(*state, selected, equalizer, out576.data(), pcm.data(), ch);
    }
  });
  const double frames = 300.0 * 44100 / 1152;
  std::printf("stereo granule, selected kernels: %.0f ns; five minutes at 44.1 kHz: %.3f s\n",
              granule, granule * 2 * frames * 1e-9);
  return 0;
}
