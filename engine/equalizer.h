#pragma once
// Gain tables of the engine's equalizer. The player fills them; the engine only
// reads them: per sub-band before the polyphase matrixing (all layers) or per
// frequency line of Layer III before the hybrid filterbank.
#include <cstdint>

namespace orvana::engine {

inline constexpr int kEqualizerSubbands = 32;
inline constexpr int kEqualizerLines = 576;

struct EqualizerState {
  float SubbandGain[kEqualizerSubbands];
  int32_t SubbandEqEnabled = 0;
  float LineGain[kEqualizerLines];
  int32_t LineEqEnabled = 0;

  EqualizerState();  // unity gains, both switches off
};

// Multiplies lines 0..count-1 by their line gains when the line equalizer is on.
// `count` is clamped to 0..576.
void ApplyLineGains(const EqualizerState& equalizer, float* lines, int count);

// Copies the 32 sub-band samples read at `stride` into `out` (contiguous),
// multiplied by the sub-band gains. Callers use it only when the switch is on.
void ApplySubbandGains(const EqualizerState& equalizer, const float* samples, int stride,
                       float* out);

}  // namespace orvana::engine
