#include "engine/layer3_huffman.h"

#include <algorithm>
#include <bit>
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

// Negates `value` when `negative` is 1.
constexpr int Signed(int value, int negative) { return (value ^ -negative) + negative; }

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
    } else if (const int nonZero = entry & 0xFF) {
      // Both sign bits in one read: x's first.
      uint32_t signs = reader.GetBits(nonZero);
      const int ySign = static_cast<int>(signs) & (y != 0);
      signs >>= (y != 0);
      x = Signed(x, static_cast<int>(signs) & (x != 0));
      y = Signed(y, ySign);
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

namespace {

// One count1 quadruple with its sign bits, looked up by the next bits of the
// stream: the four values and the bits they take.
struct Count1Quadruple {
  int8_t values[4];
  uint8_t bits;
  uint8_t flags;  // 8 v, 4 w, 2 x, 1 y
};

constexpr int kCount1PeekA = 6 + 4;  // longest code and four signs
constexpr int kCount1PeekB = 4 + 4;

struct Count1Lookup {
  Count1Quadruple tableA[1 << kCount1PeekA];
  Count1Quadruple tableB[1 << kCount1PeekB];
};

Count1Quadruple WithSigns(int flags, int codeBits, int peeked, int peekBits) {
  Count1Quadruple quadruple{};
  const int nonZero = std::popcount(static_cast<unsigned>(flags));
  quadruple.bits = static_cast<uint8_t>(codeBits + nonZero);
  quadruple.flags = static_cast<uint8_t>(flags);
  int signBit = peekBits - codeBits;
  for (int i = 0; i < 4; ++i) {
    if (!(flags & (8 >> i))) continue;
    --signBit;
    quadruple.values[i] = static_cast<int8_t>((peeked >> signBit) & 1 ? -1 : 1);
  }
  return quadruple;
}

const Count1Lookup& Count1Tables() {
  static const Count1Lookup lookup = [] {
    Count1Lookup built{};
    for (int bits = 0; bits < (1 << kCount1PeekA); ++bits) {
      const Count1Entry& code = kCount1TableA[bits >> (kCount1PeekA - 6)];
      built.tableA[bits] = WithSigns(code.value, code.length, bits, kCount1PeekA);
    }
    for (int bits = 0; bits < (1 << kCount1PeekB); ++bits)
      built.tableB[bits] = WithSigns((bits >> 4) ^ 15, 4, bits, kCount1PeekB);
    return built;
  }();
  return lookup;
}

}  // namespace

int DecodeCount1(Layer3BitReader& reader, int32_t* lines, int maxLines, int bitsLeft,
                 bool tableB) {
  const Count1Lookup& lookup = Count1Tables();
  const Count1Quadruple* table = tableB ? lookup.tableB : lookup.tableA;
  const int peekBits = tableB ? kCount1PeekB : kCount1PeekA;
  const int maxQuadruples = maxLines / 4;
  const int minBits = tableB ? 4 : 1;
  int done = 0;
  int last = -1;
  int lastFlags = 0;
  while (done < maxQuadruples && bitsLeft >= minBits && !reader.Overrun()) {
    const Count1Quadruple& quadruple = table[reader.PeekBits(peekBits)];
    reader.Consume(quadruple.bits);
    bitsLeft -= quadruple.bits;
    int32_t* out = lines + 4 * done;
    for (int i = 0; i < 4; ++i) out[i] = quadruple.values[i];
    if (quadruple.flags) {
      last = done;
      lastFlags = quadruple.flags;
    }
    ++done;
  }
  // The last quadruple was read past the end of the part.
  if (bitsLeft < 0 && done > 0) std::fill(lines + 4 * (done - 1), lines + 4 * done, 0);
  if (last < 0) return 0;
  return (lastFlags & 3) ? (last + 1) * 4 : last * 4 + 2;
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
