#include "engine/layer3_band_layout.h"

#include <algorithm>

namespace orvana::engine {

namespace {
#include "engine/layer3_band_tables.inc"
}  // namespace

void SetupBandLayout(Layer3BandLayout& layout, VersionRow version, int sampleRateIndex,
                     int subbandLimit) {
  const int row = static_cast<int>(version) * 3 + sampleRateIndex;
  const int16_t* longStarts = kGeneratedLongBandStarts[row];
  const int16_t* shortStarts = kGeneratedShortBandStarts[row];
  for (int band = 0; band < kLongBands; ++band) {
    layout.longBandWidth[band] = longStarts[band + 1] - longStarts[band];
    layout.longBandEnd[band] = longStarts[band + 1];
  }
  for (int band = 0; band < kShortBands; ++band) {
    layout.shortBandWidth[band] = shortStarts[band + 1] - shortStarts[band];
    layout.shortBandEnd3[band] = 3 * shortStarts[band + 1];
  }
  const bool mpeg1 = version == VersionRow::kMpeg1;
  layout.mixedLongBands = mpeg1 ? 8 : 6;
  // At 31 sub-bands low-sampling-frequency streams keep their last band
  // silent; decoding all 32 sub-bands keeps every band.
  const bool wholeSpectrum = mpeg1 || subbandLimit >= 32;
  layout.longBlockLimit = wholeSpectrum ? longStarts[kLongBands] : longStarts[kLongBands - 1];
  layout.shortBlockLimit =
      3 * (wholeSpectrum ? shortStarts[kShortBands] : shortStarts[kShortBands - 1]);
  layout.bandLimit = std::min(layout.longBlockLimit + 8, subbandLimit * kLinesPerSubband);
  layout.longBlockLimit = std::min(layout.longBlockLimit, layout.bandLimit);
  layout.shortBlockLimit = std::min(layout.shortBlockLimit, layout.bandLimit);
  layout.sbLimit = (layout.bandLimit + kLinesPerSubband - 1) / kLinesPerSubband;
}

}  // namespace orvana::engine
