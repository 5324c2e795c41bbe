#include "engine/layer3_stereo.h"

#include <algorithm>

namespace orvana::engine {

namespace {

// The last band of each kind carries no scale factor; it takes the intensity
// position of the band below.
constexpr int kLastLongBand = 21;
constexpr int kLastShortBand = 12;

// The band whose intensity position `band` uses.
int LongPositionBand(int band) { return std::min(band, kLastLongBand - 1); }
int ShortPositionBand(int band) { return std::min(band, kLastShortBand - 1); }

int LongBandStart(const Layer3BandLayout& layout, int band) {
  return band == 0 ? 0 : layout.longBandEnd[band - 1];
}
int ShortBandStart3(const Layer3BandLayout& layout, int band) {
  return band == 0 ? 0 : layout.shortBandEnd3[band - 1];
}

void MidSide(const StereoGranule& granule, const Layer3FrameInfo& frame,
             const Layer3BandLayout& layout) {
  const StereoBandInfo& right = *granule.bands[1];
  int end;
  if (frame.intensityStereo)
    end = right.isShort ? layout.shortBandEnd3[right.lastBand] : layout.longBandEnd[right.lastBand];
  else
    end = std::max(*granule.count[0], *granule.count[1]);
  float* left = granule.lines[0];
  float* side = granule.lines[1];
  for (int i = 0; i < end; ++i) {
    const float l = left[i];
    const float r = side[i];
    left[i] = l + r;
    side[i] = l - r;
  }
}

// Rebuilds `lines` (a band's lines at the given stride) of both channels from
// the left channel.
void Reconstruct(const StereoGranule& granule, int first, int count, int stride,
                 const float (&ratio)[2]) {
  float* left = granule.lines[0];
  float* right = granule.lines[1];
  for (int i = 0; i < count; ++i) {
    const int line = first + i * stride;
    const float x = left[line];
    left[line] = ratio[0] * x;
    right[line] = ratio[1] * x;
  }
}

void IntensityMpeg1(const StereoGranule& granule, const Layer3FrameInfo& frame,
                    const Layer3BandLayout& layout, const Layer3Tables& tables) {
  const StereoBandInfo& right = *granule.bands[1];
  const ScaleFactors& positions = *granule.rightScaleFactors;
  const int leftCount = *granule.count[0];
  const float(&ratios)[8][2] = tables.isRatio[frame.msStereo];
  if (!right.isShort) {
    for (int band = right.lastBand + 1; band <= kLastLongBand; ++band) {
      const int start = LongBandStart(layout, band);
      if (start >= leftCount) break;
      const int position = std::min(positions.longBands[LongPositionBand(band)], 7);
      Reconstruct(granule, start, layout.longBandWidth[band], 1, ratios[position]);
    }
    return;
  }
  // Per window; the last short band is rebuilt even when the right channel
  // codes values there.
  for (int w = 0; w < 3; ++w) {
    const int first = std::min<int>(right.lastWindowBand[w], kLastShortBand - 1) + 1;
    for (int band = first; band <= kLastShortBand; ++band) {
      const int start = ShortBandStart3(layout, band);
      if (start >= leftCount) break;
      const int position = std::min(positions.shortBands[w][ShortPositionBand(band)], 7);
      Reconstruct(granule, start + w, layout.shortBandWidth[band], 3, ratios[position]);
    }
  }
}

// Bits of the intensity position of `band`: partitions follow one another
// from `firstBand` (the first long band, or short band 3 after the six long
// bands of a mixed block); bands past the three partitions have none.
int LsfPositionBits(const LsfIntensityInfo& info, int band, bool mixedShortPart) {
  int end = mixedShortPart ? 3 : 0;
  for (int partition = mixedShortPart ? 1 : 0; partition < 3; ++partition) {
    end += info.bandCount[partition];
    if (band < end) return info.slen[partition];
  }
  return 0;
}

const float (&LsfRatio(const float (&ratios)[64][2], int bits, int position))[2] {
  const int largest = (1 << bits) - 1;
  return ratios[largest + std::min(position, largest)];
}

void IntensityLsf(const StereoGranule& granule, const Layer3FrameInfo& frame,
                  const Layer3BandLayout& layout, const Layer3Tables& tables) {
  const StereoBandInfo& left = *granule.bands[0];
  const StereoBandInfo& right = *granule.bands[1];
  const ScaleFactors& positions = *granule.rightScaleFactors;
  const LsfIntensityInfo& info = *granule.lsfIntensity;
  const float(&ratios)[64][2] = tables.lsfRatio[info.intensityScale][frame.msStereo];
  if (!right.isShort) {
    const int leftCount = *granule.count[0];
    for (int band = right.lastBand + 1; band <= kLastLongBand; ++band) {
      const int start = LongBandStart(layout, band);
      if (start >= leftCount) break;
      const int positionBand = LongPositionBand(band);
      const int bits = LsfPositionBits(info, positionBand, false);
      Reconstruct(granule, start, layout.longBandWidth[band], 1,
                  LsfRatio(ratios, bits, positions.longBands[positionBand]));
    }
    return;
  }
  const bool mixed = right.shortStartBand > 0;
  for (int w = 0; w < 3; ++w) {
    // Above the left channel's last band both channels are silent anyway.
    for (int band = right.lastWindowBand[w] + 1; band <= left.lastWindowBand[w]; ++band) {
      const int positionBand = ShortPositionBand(band);
      const int bits = LsfPositionBits(info, positionBand, mixed);
      Reconstruct(granule, ShortBandStart3(layout, band) + w, layout.shortBandWidth[band], 3,
                  LsfRatio(ratios, bits, positions.shortBands[w][positionBand]));
    }
  }
}

}  // namespace

void ProcessStereo(const StereoGranule& granule, const Layer3FrameInfo& frame, bool mpeg1,
                   const Layer3BandLayout& layout, const Layer3Tables& tables) {
  if (frame.msStereo) MidSide(granule, frame, layout);
  if (frame.intensityStereo) {
    if (mpeg1)
      IntensityMpeg1(granule, frame, layout, tables);
    else
      IntensityLsf(granule, frame, layout, tables);
  }
  if (frame.modeExtension != 0) {
    const int32_t larger = std::max(*granule.count[0], *granule.count[1]);
    *granule.count[0] = *granule.count[1] = larger;
  }
}

}  // namespace orvana::engine
