#include "engine/layer3_huffman.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "bit_writer.h"

namespace orvana::engine {
namespace {

using testing::BitWriter;

struct Reader {
  std::vector<uint8_t> bytes;
  Layer3BitReader reader;
  explicit Reader(const BitWriter& w, size_t limitBytes = 0) : bytes(w.Bytes(w.bitCount() / 8 + 64)) {
    reader.Start(bytes.data());
    reader.SetLimit(bytes.data() + (limitBytes ? limitBytes : bytes.size() - 8));
  }
};

TEST(HuffmanBigValues, Table1CodesAndSigns) {
  BitWriter w;
  w.PutText("000").PutText("0").PutText("1");  // (1, 1), signs + and -
  w.PutText("1");  // (0, 0), no signs
  w.PutText("001").PutText("1");  // (0, 1), negative
  Reader r(w);
  int32_t lines[6] = {9, 9, 9, 9, 9, 9};
  DecodeBigValues(r.reader, lines, 6, 1);
  EXPECT_EQ(lines[0], 1);
  EXPECT_EQ(lines[1], -1);
  EXPECT_EQ(lines[2], 0);
  EXPECT_EQ(lines[3], 0);
  EXPECT_EQ(lines[4], 0);
  EXPECT_EQ(lines[5], -1);
  EXPECT_EQ(r.reader.Position(), 5 + 1 + 4);
}

TEST(HuffmanBigValues, EmptyTablesCodeZerosAndReadNothing) {
  for (int table : {0, 4, 14}) {
    BitWriter w;
    w.Put(0xFFFF, 16);
    Reader r(w);
    int32_t lines[8] = {5, 5, 5, 5, 5, 5, 5, 5};
    DecodeBigValues(r.reader, lines, 8, table);
    for (int32_t line : lines) EXPECT_EQ(line, 0);
    EXPECT_EQ(r.reader.Position(), 0);
  }
}

struct CodeWord {
  int x, y;
  std::string bits;
};

std::map<int, std::pair<int, std::vector<CodeWord>>> ReadCodeTables() {
  std::ifstream in(std::string(ORVANA_TEST_DATA_DIR) + "/../../engine/tables/huffman.txt");
  std::map<int, std::pair<int, std::vector<CodeWord>>> tables;
  int current = -1;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    if (line.rfind("table", 0) == 0) {
      std::string word;
      int xmax;
      fields >> word >> current >> xmax;
      if (current < 32) fields >> tables[current].first;
      continue;
    }
    if (current >= 32) continue;
    CodeWord code;
    int length;
    fields >> code.x >> code.y >> length >> code.bits;
    tables[current].second.push_back(code);
  }
  return tables;
}

// Every code word of every table, with escapes and signs, decodes back.
TEST(HuffmanBigValues, EveryTableDecodesWhatItsCodeWordsSay) {
  const auto tables = ReadCodeTables();
  ASSERT_EQ(tables.size(), 32u);
  std::mt19937 random(3);
  for (const auto& [number, table] : tables) {
    const auto& [linbits, codes] = table;
    if (codes.empty()) continue;
    EXPECT_EQ(kHuffmanTables[number].linbits, linbits) << "table " << number;
    BitWriter w;
    std::vector<int32_t> expected;
    for (int pass = 0; pass < 2; ++pass) {
      for (const CodeWord& code : codes) {
        w.PutText(code.bits.c_str());
        for (int value : {code.x, code.y}) {
          if (value == 15 && linbits > 0) {
            const uint32_t escape = random() & ((1u << linbits) - 1);
            w.Put(escape, linbits);
            value += static_cast<int>(escape);
          }
          if (value != 0) {
            const bool negative = random() & 1;
            w.Put(negative, 1);
            if (negative) value = -value;
          }
          expected.push_back(value);
        }
      }
    }
    Reader r(w);
    std::vector<int32_t> lines(expected.size());
    DecodeBigValues(r.reader, lines.data(), static_cast<int>(lines.size()), number);
    EXPECT_EQ(lines, expected) << "table " << number;
    EXPECT_EQ(r.reader.Position(), static_cast<int>(w.bitCount())) << "table " << number;
  }
}

TEST(HuffmanCount1, TableAAndTheBoundOfTheLastValue) {
  BitWriter w;
  w.PutText("0101").PutText("1");  // 0001: y, negative
  w.PutText("1");  // 0000
  w.PutText("0110").PutText("0");  // 0100: w, positive
  Reader r(w);
  int32_t lines[12];
  const int bound = DecodeCount1(r.reader, lines, 12, static_cast<int>(w.bitCount()), false);
  EXPECT_EQ(bound, 2 * 4 + 2) << "only w set in the last non-zero quadruple";
  const int32_t expected[12] = {0, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 0};
  for (int i = 0; i < 12; ++i) EXPECT_EQ(lines[i], expected[i]) << i;
}

TEST(HuffmanCount1, TableBIsFourInvertedBits) {
  BitWriter w;
  w.PutText("0110").PutText("01");  // 1001: v and y
  w.PutText("1111");  // 0000
  Reader r(w);
  int32_t lines[8];
  const int bound = DecodeCount1(r.reader, lines, 8, static_cast<int>(w.bitCount()), true);
  EXPECT_EQ(bound, 4);
  EXPECT_EQ(lines[0], 1);
  EXPECT_EQ(lines[3], -1);
  EXPECT_EQ(lines[5], 0);
}

TEST(HuffmanCount1, StopsAtTheLineLimitAndTheEndOfThePart) {
  BitWriter w;
  for (int i = 0; i < 10; ++i) w.PutText("0110").PutText("0");  // w set, 5 bits each
  {
    Reader r(w);
    int32_t lines[16];
    EXPECT_EQ(DecodeCount1(r.reader, lines, 10, 1000, false), 4 + 2) << "two quadruples fit";
    EXPECT_EQ(r.reader.Position(), 10);
  }
  {
    Reader r(w);
    int32_t lines[40];
    // The third quadruple's sign lies beyond the part: it is dropped.
    const int bound = DecodeCount1(r.reader, lines, 40, 14, false);
    EXPECT_EQ(lines[9], 0);
    EXPECT_EQ(lines[5], 1);
    EXPECT_EQ(r.reader.Position(), 15);
    EXPECT_LE(bound, 12);
  }
}

Layer3BandLayout Mpeg1Layout(int subbands = 31) {
  Layer3BandLayout layout;
  SetupBandLayout(layout, VersionRow::kMpeg1, 0, subbands);
  return layout;
}

TEST(HuffmanSpectrum, SilentPart) {
  BitWriter w;
  w.Put(0, 32);
  Reader r(w);
  GranuleChannelInfo info;
  std::vector<int32_t> lines(576, 7);
  EXPECT_EQ(DecodeSpectrum(r.reader, 0, info, Mpeg1Layout(), lines.data()), 0);
  for (int32_t line : lines) ASSERT_EQ(line, 0);
}

TEST(HuffmanSpectrum, BigValuesAreCutAtTheBandLimit) {
  BitWriter w;
  for (int i = 0; i < 288; ++i) w.PutText("01").PutText("0");  // (1, 0) with sign +
  Reader r(w);
  GranuleChannelInfo info;
  info.big_values = 288;
  info.table_select[0] = info.table_select[1] = info.table_select[2] = 1;
  info.region0_count = 15;
  info.region1_count = 7;  // past the last band
  info.part2_3_length = static_cast<int>(w.bitCount());
  std::vector<int32_t> lines(576, 7);
  const int count = DecodeSpectrum(r.reader, info.part2_3_length, info, Mpeg1Layout(), lines.data());
  EXPECT_EQ(count, 558);
  EXPECT_EQ(r.reader.Position(), 279 * 3) << "no count1 quadruple after 558 lines";
  EXPECT_EQ(lines[556], 1);
  EXPECT_EQ(lines[557], 0);
  for (int i = 558; i < 576; ++i) EXPECT_EQ(lines[i], 0);
}

TEST(HuffmanSpectrum, LinesAboveTheBlockLimitAreCleared) {
  BitWriter w;
  for (int i = 0; i < 40; ++i) w.PutText("01").PutText("0");
  Reader r(w);
  GranuleChannelInfo info;
  info.big_values = 40;
  info.table_select[0] = info.table_select[1] = info.table_select[2] = 1;
  info.part2_3_length = static_cast<int>(w.bitCount());
  Layer3BandLayout layout = Mpeg1Layout();
  layout.longBlockLimit = 30;
  std::vector<int32_t> lines(576, 7);
  EXPECT_EQ(DecodeSpectrum(r.reader, info.part2_3_length, info, layout, lines.data()), 80)
      << "the bound keeps the decoded end";
  EXPECT_EQ(lines[28], 1);
  EXPECT_EQ(lines[30], 0);
  EXPECT_EQ(lines[78], 0);
}

TEST(HuffmanSpectrum, DataRunningPastThePartLimitSilencesTheChannel) {
  BitWriter w;
  for (int i = 0; i < 200; ++i) w.PutText("000").PutText("00");  // (1, 1), 5 bits
  Reader r(w, 10);  // the part and its slack end after 10 bytes
  GranuleChannelInfo info;
  info.big_values = 200;
  info.table_select[0] = info.table_select[1] = info.table_select[2] = 1;
  std::vector<int32_t> lines(576, 7);
  EXPECT_EQ(DecodeSpectrum(r.reader, 48, info, Mpeg1Layout(), lines.data()), 0);
  for (int32_t line : lines) ASSERT_EQ(line, 0);
  EXPECT_LT(r.reader.Position(), 200) << "decoding stopped soon after the limit";
}

}  // namespace
}  // namespace orvana::engine
