#pragma once
// Layer III joint stereo of one granule: mid/side and intensity stereo, then
// both channels' bounds aligned.
#include <cstdint>

#include "engine/layer3_band_layout.h"
#include "engine/layer3_requantize.h"
#include "engine/layer3_scale_factors.h"
#include "engine/layer3_side_info.h"
#include "engine/layer3_tables.h"

namespace orvana::engine {

struct StereoGranule {
  float* lines[2];
  int32_t* count[2];
  const StereoBandInfo* bands[2];
  const ScaleFactors* rightScaleFactors;  // intensity positions
  const LsfIntensityInfo* lsfIntensity;
};

// For two-channel frames only.
void ProcessStereo(const StereoGranule& granule, const Layer3FrameInfo& frame, bool mpeg1,
                   const Layer3BandLayout& layout, const Layer3Tables& tables);

}  // namespace orvana::engine
