#include "engine/synthesis.h"

#include <algorithm>
#include <iterator>

#include "engine/kernel_families.h"
#include "engine/synthesis_window.h"

namespace orvana::engine {
namespace {

constexpr int kSlotFloats = 32;
constexpr int kMatrixSlotFloats = 64;

// Slots that were never selected fall back to the plain windowing.
const Kernel<SynthFn>& WindowingKernel(const KernelSlots& kernels, PcmLayout layout) {
  const Kernel<SynthFn>& chosen =
      layout == PcmLayout::Mono ? kernels.SynthMono : kernels.SynthInterleaved;
  if (chosen.run) return chosen;
  const KernelSlots& plain = PlainKernels().slots;
  return layout == PcmLayout::Mono ? plain.SynthMono : plain.SynthInterleaved;
}

void WindowAndAdvance(SynthesisState& state, const KernelSlots& kernels, int channel,
                      int16_t* pcmOut, PcmLayout layout) {
  const int pos = state.SynthPos[channel];
  WindowingKernel(kernels, layout).run(state.SynthWindow, state.SynthRing[channel], pos, pcmOut);
  state.SynthPos[channel] = (pos - kSlotFloats) & kSynthRingMask;
}

// One channel of the interleaved matrix (offset 0 left, 1 right) through ring 0.
void SynthesizeOneChannelOfStereo(SynthesisState& state, const KernelSlots& kernels,
                                  const EqualizerState& equalizer, const float* matrix, int slots,
                                  int16_t* pcm, int offset) {
  for (int i = 0; i < slots; ++i) {
    SynthesizeSlot(state, kernels, equalizer, 0, matrix + kMatrixSlotFloats * i + offset, 2,
                   pcm + kSlotFloats * i, PcmLayout::Mono);
  }
}

}  // namespace

SynthesisState::SynthesisState() : PolarityInverted(false) {
  BuildSynthWindow(StandardSynthesisWindow(), SynthWindow);
  ResetSynthesis(*this);
}

void ResetSynthesis(SynthesisState& state) {
  for (auto& ring : state.SynthRing) std::fill(std::begin(ring), std::end(ring), 0.0f);
  state.SynthPos[0] = 0;
  state.SynthPos[1] = 0;
}

void SetPolarityInverted(SynthesisState& state, bool on) {
  if (state.PolarityInverted == on) return;
  for (float& w : state.SynthWindow) w = -w;
  state.PolarityInverted = on;
}

void SynthesizeSlot(SynthesisState& state, const KernelSlots& kernels,
                    const EqualizerState& equalizer, int channel, const float* samples, int stride,
                    int16_t* pcmOut, PcmLayout layout) {
  channel &= 1;
  float scaled[kSlotFloats];
  if (equalizer.SubbandEqEnabled != 0) {
    ApplySubbandGains(equalizer, samples, stride, scaled);
    samples = scaled;
    stride = 1;
  }
  Dct32(samples, stride, state.SynthRing[channel] + state.SynthPos[channel]);
  WindowAndAdvance(state, kernels, channel, pcmOut, layout);
}

void SynthesizeLayer3Mono(SynthesisState& state, const KernelSlots& kernels,
                          const EqualizerState& equalizer, const float* hybridOut, int16_t* pcm,
                          int channel) {
  for (int t = 0; t < 18; ++t) {
    SynthesizeSlot(state, kernels, equalizer, channel, hybridOut + kSlotFloats * t, 1,
                   pcm + kSlotFloats * t, PcmLayout::Mono);
  }
}

void SynthesizeLayer3Stereo(SynthesisState& state, const KernelSlots& kernels,
                            const EqualizerState& equalizer, const float* hybridOut, int16_t* pcm,
                            int channel) {
  channel &= 1;
  for (int t = 0; t < 18; ++t) {
    SynthesizeSlot(state, kernels, equalizer, channel, hybridOut + kSlotFloats * t, 1,
                   pcm + 2 * kSlotFloats * t + channel, PcmLayout::Interleaved);
  }
}

void SynthesizeLayer12MonoStream(SynthesisState& state, const KernelSlots& kernels,
                                 const EqualizerState& equalizer, const float* matrix, int slots,
                                 int16_t* pcm) {
  for (int i = 0; i < slots; ++i) {
    SynthesizeSlot(state, kernels, equalizer, 0, matrix + kMatrixSlotFloats * i, 1,
                   pcm + kSlotFloats * i, PcmLayout::Mono);
  }
}

void SynthesizeLayer12Stereo(SynthesisState& state, const KernelSlots& kernels,
                             const EqualizerState& equalizer, const float* matrix, int slots,
                             int16_t* pcm) {
  for (int i = 0; i < slots; ++i) {
    const float* slot = matrix + kMatrixSlotFloats * i;
    int16_t* frames = pcm + 2 * kSlotFloats * i;
    SynthesizeSlot(state, kernels, equalizer, 0, slot, 2, frames, PcmLayout::Interleaved);
    SynthesizeSlot(state, kernels, equalizer, 1, slot + 1, 2, frames + 1, PcmLayout::Interleaved);
  }
}

void SynthesizeLayer12Mix(SynthesisState& state, const KernelSlots& kernels, const EqualizerState&,
                          const float* matrix, int slots, int16_t* pcm) {
  for (int i = 0; i < slots; ++i) {
    const float* slot = matrix + kMatrixSlotFloats * i;
    float mixed[kSlotFloats];
    for (int k = 0; k < kSlotFloats; ++k) mixed[k] = (slot[2 * k] + slot[2 * k + 1]) * 0.5f;
    Dct32(mixed, 1, state.SynthRing[0] + state.SynthPos[0]);
    WindowAndAdvance(state, kernels, 0, pcm + kSlotFloats * i, PcmLayout::Mono);
  }
}

void SynthesizeLayer12Left(SynthesisState& state, const KernelSlots& kernels,
                           const EqualizerState& equalizer, const float* matrix, int slots,
                           int16_t* pcm) {
  SynthesizeOneChannelOfStereo(state, kernels, equalizer, matrix, slots, pcm, 0);
}

void SynthesizeLayer12Right(SynthesisState& state, const KernelSlots& kernels,
                            const EqualizerState& equalizer, const float* matrix, int slots,
                            int16_t* pcm) {
  SynthesizeOneChannelOfStereo(state, kernels, equalizer, matrix, slots, pcm, 1);
}

}  // namespace orvana::engine
