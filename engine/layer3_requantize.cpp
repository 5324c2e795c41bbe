#include "engine/layer3_requantize.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace orvana::engine {

namespace {

constexpr int kPowOffset = Layer3Tables::kPowTableOffset;

// x |x|^(1/3) scaled by `factor`; common values (zero included) come from the
// table without a branch on their value.
inline float Dequantize(int32_t x, float factor, const float* powTable) {
  if (static_cast<uint32_t>(x + kPowOffset) < 2 * kPowOffset) return factor * powTable[x + kPowOffset];
  const double magnitude = std::abs(x);
  return factor * static_cast<float>(x * std::pow(magnitude, double{1.0f / 3.0f}));
}

}  // namespace

void Requantize(const int32_t* quantized, float* lines, int& count, const ScaleFactors& sf,
                const GranuleChannelInfo& info, const Layer3BandLayout& layout,
                const Layer3Tables& tables, StereoBandInfo& bandInfo) {
  const int bound = count;
  const bool shortBlock = info.block_type == kShortBlockType;
  const bool mixed = shortBlock && info.mixed_block_flag;
  bandInfo.longBandCount = !shortBlock ? kLongBands : mixed ? layout.mixedLongBands : 0;
  bandInfo.shortStartBand = !shortBlock ? 12 : mixed ? 3 : 0;
  bandInfo.lastBand = 0;
  const float gain = tables.gainTable[info.global_gain + 6];
  const float(&scale)[4][32] = tables.scaleTable[info.scalefac_scale];
  const float* powTable = tables.powTable;

  int done = 0;
  for (int band = 0; band < bandInfo.longBandCount && done < bound; ++band) {
    const float factor = gain * scale[info.preflag ? kPreTab[band] : 0][sf.longBands[band]];
    int32_t nonZero = 0;
    for (const int end = done + layout.longBandWidth[band]; done < end; ++done) {
      lines[done] = Dequantize(quantized[done], factor, powTable);
      nonZero |= quantized[done];
    }
    if (nonZero) bandInfo.lastBand = band;
  }

  if (bandInfo.shortStartBand == 12) {
    bandInfo.isShort = 0;
    std::memset(lines + done, 0, (kLinesPerGranule - done) * sizeof(float));
    return;
  }

  float windowGain[3];
  for (int w = 0; w < 3; ++w) {
    windowGain[w] = gain * tables.subblockGainTable[info.subblock_gain[w]];
    bandInfo.lastWindowBand[w] = bandInfo.shortStartBand;
  }
  // A mixed block whose long part already reaches the bound has no short part
  // to requantise; its short part starts at the end of the long bands.
  if (bandInfo.shortStartBand > 0) {
    const int shortStart = layout.shortBandEnd3[bandInfo.shortStartBand - 1];
    if (done < shortStart) std::memset(lines + done, 0, (shortStart - done) * sizeof(float));
    done = shortStart;
  }
  for (int band = bandInfo.shortStartBand; band < kShortBands && done < bound; ++band) {
    const int width = layout.shortBandWidth[band];
    // Window-major in the bitstream, line-interleaved (3 i + w) in the output.
    for (int w = 0; w < 3; ++w) {
      const float factor = windowGain[w] * scale[0][sf.shortBands[w][band]];
      const int32_t* source = quantized + done + w * width;
      int32_t nonZero = 0;
      for (int i = 0; i < width; ++i) {
        lines[done + 3 * i + w] = Dequantize(source[i], factor, powTable);
        nonZero |= source[i];
      }
      if (nonZero) bandInfo.lastWindowBand[w] = band;
    }
    done += 3 * width;
  }
  std::memset(lines + done, 0, (kLinesPerGranule - done) * sizeof(float));
  count = done;
  bandInfo.lastBand = *std::max_element(bandInfo.lastWindowBand, bandInfo.lastWindowBand + 3);
  bandInfo.isShort = 1;
}

}  // namespace orvana::engine
