#pragma once
// The gain the player applies at a frequency for a curve: the level of the
// band nearest by ratio, as the player maps its bands, plus the preamp's,
// both rounded to levels as the player gets them. So a drawing of it is
// what is heard.
#include <cstdint>

#include "app/equalizer/equalizer_curve.h"

namespace orvana::app {

class TEqualizerResponse {
 public:
  TEqualizerResponse();

  // In dB, at `hz`.
  double DecibelsAt(const TEqualizerCurve& curve, int hz) const;
  // The band whose level applies at `hz`.
  int BandAt(int hz) const;

 private:
  std::int32_t frequencies_[kEqualizerBandCount] = {};
};

}  // namespace orvana::app
