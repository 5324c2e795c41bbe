#pragma once
// Layer III Huffman decoding of one granule/channel part: big-values pairs in
// three regions (values above 15 extended by linbits), then count1
// quadruples, into 576 quantised integer lines.
#include <cstdint>

#include "engine/bit_reader.h"
#include "engine/layer3_band_layout.h"
#include "engine/layer3_side_info.h"

namespace orvana::engine {

struct HuffmanTable {
  int32_t nodeOffset;  // head of the first lookup node in kHuffmanNodeWords; -1 when empty
  int32_t linbits;
  int32_t kind;  // 0 empty, 1 one level, 2 several levels, 3 several levels with linbits
};

struct Count1Entry {
  uint8_t length;
  uint8_t value;  // bits 8 = v, 4 = w, 2 = x, 1 = y
};

// Lookup nodes: a head word (width in bits in byte 0, 255 in byte 3), then
// 2^width entries (byte 0 non-zero values, byte 1 x, byte 2 y, byte 3 bits
// used at this level; byte 3 = 0 marks a link, the word distance from this
// head to the next node's head).
extern const uint32_t kHuffmanNodeWords[];
extern const HuffmanTable kHuffmanTables[32];
extern const Count1Entry kCount1TableA[64];

// Decodes count / 2 pairs into `lines`; stops early once the reader overran
// its limit.
void DecodeBigValues(Layer3BitReader& reader, int32_t* lines, int count, int tableSelect);

// Decodes quadruples while fewer than maxLines / 4 are done and `bitsLeft`
// bits of the part remain; returns the lines up to the last non-zero value,
// rounded up to an even count (0 when all are zero).
int DecodeCount1(Layer3BitReader& reader, int32_t* lines, int maxLines, int bitsLeft,
                 bool tableB);

// Decodes the Huffman data of one part into all 576 `lines` (zero where
// nothing was coded or kept) and returns the bound of the non-zero lines.
// `partEnd` is the reader position at which the part ends.
int DecodeSpectrum(Layer3BitReader& reader, int partEnd, const GranuleChannelInfo& info,
                   const Layer3BandLayout& layout, int32_t* lines);

}  // namespace orvana::engine
