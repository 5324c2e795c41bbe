#pragma once
// The equalizer as the user sets it: ten bands an octave apart and a preamp,
// each a gain in tenths of a dB within ±12 dB.
#include <array>

#include "player/graphic_equalizer.h"

namespace orvana::app {

inline constexpr int kEqualizerBandCount = player::kGraphicBands;
// The bands' nominal centres in Hz, as their sliders name them.
inline constexpr std::array<int, kEqualizerBandCount> kEqualizerBandHz = {31,   62,   125,  250,  500,
                                                                          1000, 2000, 4000, 8000, 16000};
// The player spaces its bands geometrically from the lowest to the highest.
inline constexpr int kEqualizerLowestHz = player::kGraphicLowHz;
inline constexpr int kEqualizerHighestHz = player::kGraphicHighHz;
inline constexpr int kEqualizerLimitTenths = static_cast<int>(player::kGraphicMostDb * 10);

struct TEqualizerCurve {
  int preamp = 0;                                   // tenths of a dB
  std::array<int, kEqualizerBandCount> bands = {};  // tenths of a dB, lowest band first

  bool operator==(const TEqualizerCurve&) const = default;
};

// `tenths` held within ±kEqualizerLimitTenths.
int ClampEqualizerGain(int tenths);
TEqualizerCurve ClampedCurve(TEqualizerCurve curve);

}  // namespace orvana::app
