#include "app/equalizer/equalizer_curve.h"

#include <algorithm>

namespace orvana::app {

int ClampEqualizerGain(int tenths) { return std::clamp(tenths, -kEqualizerLimitTenths, kEqualizerLimitTenths); }

TEqualizerCurve ClampedCurve(TEqualizerCurve curve) {
  curve.preamp = ClampEqualizerGain(curve.preamp);
  for (int& band : curve.bands) band = ClampEqualizerGain(band);
  return curve;
}

}  // namespace orvana::app
