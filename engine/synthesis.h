#pragma once
// Polyphase synthesis filterbank shared by all layers: a 32-point DCT per time
// slot into a per-channel ring of the last 16 slots, then the windowing kernel
// of the selected family turns the ring into 32 PCM samples.
#include <cstdint>

#include "engine/equalizer.h"
#include "engine/kernel_slots.h"

namespace orvana::engine {

inline constexpr int kSynthRingSize = 512;
inline constexpr int kSynthRingMask = kSynthRingSize - 1;
// The window in the windowing step's reading order: 16 j + i holds D[j + 32 i]
// (j, i = 0..15), 256 + t holds -D[48 + 64 t].
inline constexpr int kSynthWindowReadingSize = 264;
// The same coefficients rearranged for vector kernels, one row of 16 output
// lanes per tap (see synthesis_window.h), stored after the reading order.
inline constexpr int kSynthWindowLaneOffset = kSynthWindowReadingSize;
inline constexpr int kSynthWindowLaneSize = 4 * 8 * 16;
inline constexpr int kSynthWindowSize = kSynthWindowReadingSize + kSynthWindowLaneSize;

struct SynthesisState {
  alignas(32) float SynthRing[2][kSynthRingSize];
  int SynthPos[2];
  // Every windowing kernel receives this array: entries 0..263 in reading
  // order, then the lane layout of the same values.
  alignas(32) float SynthWindow[kSynthWindowSize];
  bool PolarityInverted;

  SynthesisState();  // standard window, rings cleared, polarity normal
};

// Clears both rings and sets both positions to 0.
void ResetSynthesis(SynthesisState& state);

// X[i] = sum_k in[k * stride] cos(i (2k + 1) pi / 64), i = 0..31, unscaled.
void Dct32(const float* in, int stride, float* out);

enum class PcmLayout { Mono, Interleaved };

// One time slot of one channel: optional sub-band gains, DCT into the ring,
// windowing into `pcmOut` (32 samples, consecutive or at every second
// position), ring position moved back by one block.
void SynthesizeSlot(SynthesisState& state, const KernelSlots& kernels,
                    const EqualizerState& equalizer, int channel, const float* samples, int stride,
                    int16_t* pcmOut, PcmLayout layout);

// Negates the whole window when `on` differs from the current state.
void SetPolarityInverted(SynthesisState& state, bool on);

// Layer III: 18 slots of 32 contiguous sub-band samples (`hybridOut`, 32 t + sb).
// Mono writes 18 x 32 consecutive samples through ring `channel`; stereo writes
// the positions of `channel` (0 left, 1 right) of 18 x 32 interleaved frames.
using Layer3SynthesisDriver = void (*)(SynthesisState& state, const KernelSlots& kernels,
                                       const EqualizerState& equalizer, const float* hybridOut,
                                       int16_t* pcm, int channel);
void SynthesizeLayer3Mono(SynthesisState& state, const KernelSlots& kernels,
                          const EqualizerState& equalizer, const float* hybridOut, int16_t* pcm,
                          int channel);
void SynthesizeLayer3Stereo(SynthesisState& state, const KernelSlots& kernels,
                            const EqualizerState& equalizer, const float* hybridOut, int16_t* pcm,
                            int channel);

// Layers I and II: `slots` time slots of the 64-float sample matrix (stereo
// streams interleave the channels by sub-band, 2 sb + ch; mono streams use the
// first 32 values of each slot).
using Layer12SynthesisDriver = void (*)(SynthesisState& state, const KernelSlots& kernels,
                                        const EqualizerState& equalizer, const float* matrix,
                                        int slots, int16_t* pcm);
// One-channel stream: 32 mono samples per slot.
void SynthesizeLayer12MonoStream(SynthesisState& state, const KernelSlots& kernels,
                                 const EqualizerState& equalizer, const float* matrix, int slots,
                                 int16_t* pcm);
// Both channels, 32 interleaved frames per slot.
void SynthesizeLayer12Stereo(SynthesisState& state, const KernelSlots& kernels,
                             const EqualizerState& equalizer, const float* matrix, int slots,
                             int16_t* pcm);
// (left + right) / 2 through ring 0; the sub-band equalizer is not applied.
void SynthesizeLayer12Mix(SynthesisState& state, const KernelSlots& kernels,
                          const EqualizerState& equalizer, const float* matrix, int slots,
                          int16_t* pcm);
// One channel of a stereo stream through ring 0, 32 mono samples per slot.
void SynthesizeLayer12Left(SynthesisState& state, const KernelSlots& kernels,
                           const EqualizerState& equalizer, const float* matrix, int slots,
                           int16_t* pcm);
void SynthesizeLayer12Right(SynthesisState& state, const KernelSlots& kernels,
                            const EqualizerState& equalizer, const float* matrix, int slots,
                            int16_t* pcm);

}  // namespace orvana::engine
