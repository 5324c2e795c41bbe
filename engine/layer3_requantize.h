#pragma once
// Layer III requantisation: quantised integer lines to frequency lines in the
// scale of 16-bit PCM, short blocks reordered window-interleaved.
#include <cstdint>

#include "engine/layer3_band_layout.h"
#include "engine/layer3_scale_factors.h"
#include "engine/layer3_side_info.h"
#include "engine/layer3_tables.h"

namespace orvana::engine {

// What the stereo processing needs to know of a requantised channel.
struct StereoBandInfo {
  int32_t isShort = 0;
  int32_t lastBand = 0;  // last band with a non-zero line (short: largest of the windows)
  int32_t shortStartBand = 12;  // 12: no short part, 3: mixed, 0: short
  int32_t longBandCount = 22;  // 22 long, 0 short, mixedLongBands mixed
  int32_t lastWindowBand[3] = {};
};

// One channel of one granule. `count` is the bound of the non-zero quantised
// lines on entry and of the non-zero frequency lines on return; every line of
// `lines` is written (zero above the bound).
void Requantize(const int32_t* quantized, float* lines, int& count, const ScaleFactors& sf,
                const GranuleChannelInfo& info, const Layer3BandLayout& layout,
                const Layer3Tables& tables, StereoBandInfo& bandInfo);

}  // namespace orvana::engine
