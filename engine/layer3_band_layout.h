#pragma once
// Per-stream Layer III band tables and line limits, set when a stream is
// opened from its MPEG version and sampling frequency.
#include <cstdint>

namespace orvana::engine {

constexpr int kLinesPerGranule = 576;
constexpr int kLinesPerSubband = 18;
constexpr int kLongBands = 22;
constexpr int kShortBands = 13;

enum class VersionRow { kMpeg1 = 0, kMpeg2 = 1, kMpeg25 = 2 };

struct Layer3BandLayout {
  int32_t longBandWidth[kLongBands] = {};
  int32_t longBandEnd[kLongBands] = {};  // first line after long band k
  int32_t shortBandWidth[kShortBands] = {};  // lines per window
  int32_t shortBandEnd3[kShortBands] = {};  // band end in the interleaved short layout
  int32_t mixedLongBands = 0;  // long bands of a mixed block: 8 (MPEG-1) or 6
  int32_t bandLimit = 0;  // lines decoded at all
  int32_t longBlockLimit = 0;  // lines kept in long blocks
  int32_t shortBlockLimit = 0;  // lines kept in short blocks
  int32_t sbLimit = 0;  // sub-bands the hybrid filterbank reconstructs
};

// `subbandLimit` is the number of sub-bands the stream is decoded with (1..32).
void SetupBandLayout(Layer3BandLayout& layout, VersionRow version, int sampleRateIndex,
                     int subbandLimit);

}  // namespace orvana::engine
