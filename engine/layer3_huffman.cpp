#include "engine/layer3_huffman.h"

#include <algorithm>
#include <cstring>

namespace orvana::engine {

namespace {

enum Kind { kEmpty = 0, kOneLevel = 1, kSeveralLevels = 2, kWithLinbits = 3 };

constexpr uint32_t EntryLength(uint32_t entry) { return entry >> 24; }
constexpr int EntryX(uint32_t entry) { return (entry >> 8) & 0xFF; }
constexpr int EntryY(uint32_t entry) { return (entry >> 16) & 0xFF; }

int WithSign(Layer3BitReader& reader, int value) {
  if (value == 0) return 0;
  return reader.GetBits(1) ? -value : value;
}

template <Kind kind>
void DecodePairs(Layer3BitReader& reader, int32_t* lines, int pairs, const HuffmanTable& table) {
  const uint32_t* const root = kHuffmanNodeWords + table.nodeOffset;
  for (int pair = 0; pair < pairs; ++pair) {
    if (reader.Overrun()) return;
    const uint32_t* node = root;
    uint32_t entry = node[1 + reader.PeekBits(node[0] & 0xFF)];
    if constexpr (kind != kOneLevel) {
      while (EntryLength(entry) == 0) {
        reader.Consume(node[0] & 0xFF);
        node += entry;
        entry = node[1 + reader.PeekBits(node[0] & 0xFF)];
      }
    }
    reader.Consume(EntryLength(entry));
    int x = EntryX(entry);
    int y = EntryY(entry);
    if constexpr (kind == kWithLinbits) {
      if (x == 15) x += reader.GetLinbits(table.linbits);
      x = WithSign(reader, x);
      if (y == 15) y += reader.GetLinbits(table.linbits);
      y = WithSign(reader, y);
    } else {
      x = WithSign(reader, x);
      y = WithSign(reader, y);
    }
    lines[2 * pair] = x;
    lines[2 * pair + 1] = y;
  }
}

}  // namespace

void DecodeBigValues(Layer3BitReader& reader, int32_t* lines, int count, int tableSelect) {
  const HuffmanTable& table = kHuffmanTables[tableSelect];
  const int pairs = count / 2;
  switch (table.kind) {
    case kOneLevel:
      DecodePairs<kOneLevel>(reader, lines, pairs, table);
      break;
    case kSeveralLevels:
      DecodePairs<kSeveralLevels>(reader, lines, pairs, table);
      break;
    case kWithLinbits:
      DecodePairs<kWithLinbits>(reader, lines, pairs, table);
      break;
    default:
      // Tables 0, 4 and 14 code nothing; the region is silent.
      std::fill(lines, lines + 2 * pairs, 0);
      break;
  }
}

int DecodeCount1(Layer3BitReader& reader, int32_t* lines, int maxLines, int bitsLeft,
                 bool tableB) {
  const int maxQuadruples = maxLines / 4;
  const int minBits = tableB ? 4 : 1;
  int done = 0;
  int last = -1;
  int lastValue = 0;
  while (done < maxQuadruples && bitsLeft >= minBits && !reader.Overrun()) {
    int value;
    if (tableB) {
      value = reader.GetBits(4) ^ 15;
      bitsLeft -= 4;
    } else {
      const Count1Entry& entry = kCount1TableA[reader.PeekBits(6)];
      reader.Consume(entry.length);
      value = entry.value;
      bitsLeft -= entry.length;
    }
    int32_t* quadruple = lines + 4 * done;
    for (int i = 0; i < 4; ++i) {
      if (value & (8 >> i)) {
        quadruple[i] = reader.GetBits(1) ? -1 : 1;
        --bitsLeft;
      } else {
        quadruple[i] = 0;
      }
    }
    if (value != 0) {
      last = done;
      lastValue = value;
    }
    ++done;
  }
  // The last quadruple was read past the end of the part.
  if (bitsLeft < 0 && done > 0) std::fill(lines + 4 * (done - 1), lines + 4 * done, 0);
  if (last < 0) return 0;
  return (lastValue & 3) ? (last + 1) * 4 : last * 4 + 2;
}

int DecodeSpectrum(Layer3BitReader& reader, int partEnd, const GranuleChannelInfo& info,
                   const Layer3BandLayout& layout, int32_t* lines) {
  const int bigEnd = std::min(2 * info.big_values, layout.bandLimit);
  // Region counts may point past the last band.
  const int lastBand = kLongBands - 1;
  const int region1Start =
      std::min(layout.longBandEnd[std::min(info.region0_count, lastBand)], bigEnd);
  const int region2Start = std::min(
      layout.longBandEnd[std::min(info.region0_count + info.region1_count + 1, lastBand)], bigEnd);
  DecodeBigValues(reader, lines, region1Start, info.table_select[0]);
  DecodeBigValues(reader, lines + region1Start, region2Start - region1Start,
                  info.table_select[1]);
  DecodeBigValues(reader, lines + region2Start, bigEnd - region2Start, info.table_select[2]);

  const int end = bigEnd + DecodeCount1(reader, lines + bigEnd, layout.bandLimit - bigEnd,
                                        partEnd - reader.Position(), info.count1table_select);
  if (reader.Overrun()) {
    std::memset(lines, 0, kLinesPerGranule * sizeof(int32_t));
    return 0;
  }
  const int cap =
      info.block_type == kShortBlockType ? layout.shortBlockLimit : layout.longBlockLimit;
  const int kept = std::min(end, cap);
  std::memset(lines + kept, 0, (kLinesPerGranule - kept) * sizeof(int32_t));
  return end;
}

}  // namespace orvana::engine
