#include "engine/layer12_side_info.h"

#include <algorithm>
#include <iterator>

namespace orvana::engine {

namespace {

// Which scale factor (0..2 in reading order) each part uses, by selection.
constexpr uint8_t kFactorOfPart[4][3] = {{0, 1, 2}, {0, 0, 1}, {0, 0, 0}, {0, 1, 1}};
constexpr uint8_t kFactorsOfSelection[4] = {3, 2, 1, 2};
constexpr int kOneFactorForAllParts = 2;

bool Allocated(const Layer12Allocation& entry) { return entry.quantizer->codeBits != 0; }

}  // namespace

void ReadLayer12Allocation(Layer12BitReader& reader, const Layer12AllocationLayout& layout,
                           int channels, int bound, Layer12FrameInfo& info) {
  info.channels = channels;
  info.bound = bound;
  info.subbands = layout.subbands;
  int sb = 0;
  for (const Layer12AllocationGroup& group : layout.groups) {
    const auto readQuantizer = [&] {
      return &layout.quantizers[(*group.classOf)[reader.GetBits(group.codeBits)]];
    };
    for (int i = 0; i < group.subbands; ++i, ++sb) {
      if (sb < info.bound) {
        for (int ch = 0; ch < channels; ++ch) info.entry[sb][ch].quantizer = readQuantizer();
      } else {
        info.entry[sb][0].quantizer = info.entry[sb][1].quantizer = readQuantizer();
      }
    }
  }
  for (; sb < kLayer12Subbands; ++sb)
    for (Layer12Allocation& entry : info.entry[sb]) entry.quantizer = &layout.quantizers[0];
}

void ReadLayer12ScaleFactors(Layer12BitReader& reader, bool withSelection, Layer12FrameInfo& info) {
  uint8_t selection[kLayer12Subbands][2] = {};
  for (int sb = 0; sb < info.subbands; ++sb)
    for (int ch = 0; ch < info.channels; ++ch)
      selection[sb][ch] = withSelection && Allocated(info.entry[sb][ch])
                              ? static_cast<uint8_t>(reader.GetBits(2))
                              : kOneFactorForAllParts;

  for (int sb = 0; sb < info.subbands; ++sb) {
    for (int ch = 0; ch < info.channels; ++ch) {
      Layer12Allocation& entry = info.entry[sb][ch];
      if (!Allocated(entry)) {
        std::fill(std::begin(entry.factor), std::end(entry.factor), 0.0f);
        continue;
      }
      const int pattern = selection[sb][ch];
      float read[3];
      for (int k = 0; k < kFactorsOfSelection[pattern]; ++k)
        read[k] = entry.quantizer->stepFactor * kLayer12ScaleFactor[reader.GetBits(6)];
      for (int part = 0; part < 3; ++part) entry.factor[part] = read[kFactorOfPart[pattern][part]];
    }
  }
}

int Layer12GranuleBits(const Layer12FrameInfo& info, int from, int to) {
  int bits = 0;
  for (int sb = from; sb < to; ++sb) {
    const int channels = sb < info.bound ? info.channels : 1;
    for (int ch = 0; ch < channels; ++ch) bits += info.entry[sb][ch].quantizer->granuleBits;
  }
  return bits;
}

}  // namespace orvana::engine
