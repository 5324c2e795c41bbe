#include "engine/equalizer.h"

#include <algorithm>
#include <iterator>

namespace orvana::engine {

EqualizerState::EqualizerState() {
  std::fill(std::begin(SubbandGain), std::end(SubbandGain), 1.0f);
  std::fill(std::begin(LineGain), std::end(LineGain), 1.0f);
}

void ApplyLineGains(const EqualizerState& equalizer, float* lines, int count) {
  if (equalizer.LineEqEnabled == 0) return;
  count = std::clamp(count, 0, kEqualizerLines);
  for (int l = 0; l < count; ++l) lines[l] *= equalizer.LineGain[l];
}

void ApplySubbandGains(const EqualizerState& equalizer, const float* samples, int stride,
                       float* out) {
  for (int sb = 0; sb < kEqualizerSubbands; ++sb) {
    out[sb] = samples[sb * stride] * equalizer.SubbandGain[sb];
  }
}

}  // namespace orvana::engine
