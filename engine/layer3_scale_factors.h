#pragma once
// Layer III scale factors, read at the start of each granule/channel part:
// the MPEG-1 coding with its sharing between granules (scfsi), and the
// low-sampling-frequency coding with its intensity-stereo variant.
#include <cstdint>

#include "engine/bit_reader.h"
#include "engine/layer3_side_info.h"

namespace orvana::engine {

struct ScaleFactors {
  int32_t longBands[23] = {};  // bands 0..20 transmitted; 21 stays 0
  int32_t shortBands[3][13] = {};  // [window][band]; bands 0..11 transmitted
};

// Written for the right channel of a low-sampling-frequency intensity frame.
struct LsfIntensityInfo {
  int32_t bandCount[3] = {};  // scale-factor bands in partitions 1..3
  int32_t slen[3] = {};  // bits per value in partitions 1..3
  int32_t intensityScale = 0;
};

// Scale-factor bands per partition by coding case and block kind (long,
// short, mixed); short counts are in bands, mixed ones are 6 long bands and
// then short bands from band 3.
extern const int8_t kLsfBandCounts[6][3][4];

// Reads one channel's MPEG-1 scale factors. `firstGranule` holds the same
// channel's values of granule 0, copied where `scfsi` says so in granule 1.
void ReadScaleFactorsMpeg1(Layer3BitReader& reader, ScaleFactors& sf,
                           const GranuleChannelInfo& info, int scfsi, int granule,
                           const ScaleFactors& firstGranule);

// Reads one channel's low-sampling-frequency scale factors; may set
// info.preflag. `isRightIntensity` selects the intensity coding and fills
// `lsfInfo`.
void ReadScaleFactorsLsf(Layer3BitReader& reader, ScaleFactors& sf, GranuleChannelInfo& info,
                         bool isRightIntensity, LsfIntensityInfo& lsfInfo);

}  // namespace orvana::engine
