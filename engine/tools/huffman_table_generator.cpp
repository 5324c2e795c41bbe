// Build-time generator: turns the Layer III Huffman code tables (text) into
// the engine's multi-level lookup nodes and the count1 table A, as C++ data.
// Usage: huffman_table_generator huffman.txt output.inc
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Code {
  int x = 0, y = 0;  // count1: x holds the 4-bit quadruple value
  int length = 0;
  uint32_t bits = 0;
};

struct CodeTable {
  int linbits = 0;
  std::vector<Code> codes;
};

// First lookup level per table; deeper nodes are at most this wide.
constexpr int kFirstLevelWidth[32] = {0, 3, 6, 6, 0, 8, 7, 6, 8, 6, 8, 8, 7, 6, 0, 8,
                                      8, 8, 8, 8, 8, 8, 8, 8, 9, 9, 9, 9, 9, 9, 9, 9};
constexpr int kMaxDeeperWidth = 6;
constexpr int kCount1A = 32;
constexpr int kCount1Bits = 6;

[[noreturn]] void Fail(const std::string& message) {
  std::cerr << "huffman_table_generator: " << message << "\n";
  std::exit(1);
}

std::map<int, CodeTable> ReadTables(const char* path) {
  std::ifstream in(path);
  if (!in) Fail(std::string("cannot read ") + path);
  std::map<int, CodeTable> tables;
  CodeTable* current = nullptr;
  int currentNumber = -1;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    if (line.rfind("table", 0) == 0) {
      std::string word;
      int xmax = 0;
      fields >> word >> currentNumber >> xmax;
      current = &tables[currentNumber];
      fields >> current->linbits;
      continue;
    }
    if (!current) Fail("code word before the first table");
    std::vector<std::string> words;
    for (std::string word; fields >> word;) words.push_back(word);
    Code code;
    if (currentNumber >= kCount1A) {
      if (words.size() != 6) Fail("bad count1 line: " + line);
      code.x = std::stoi(words[0]) * 8 + std::stoi(words[1]) * 4 + std::stoi(words[2]) * 2 +
               std::stoi(words[3]);
    } else {
      if (words.size() != 4) Fail("bad code line: " + line);
      code.x = std::stoi(words[0]);
      code.y = std::stoi(words[1]);
    }
    code.length = std::stoi(words[words.size() - 2]);
    const std::string& bits = words.back();
    if (static_cast<int>(bits.size()) != code.length) Fail("length mismatch: " + line);
    for (char bit : bits) code.bits = code.bits << 1 | (bit == '1');
    current->codes.push_back(code);
  }
  return tables;
}

// Node: head word (width in byte 0, 255 in byte 3), then 2^width entries:
// byte 0 non-zero values, byte 1 x, byte 2 y, byte 3 bits used at this level;
// byte 3 = 0 marks a link whose value is the word distance between heads.
int BuildNode(std::vector<uint32_t>& words, const std::vector<Code>& codes, int width) {
  const int head = static_cast<int>(words.size());
  const int entries = 1 << width;
  words.push_back(static_cast<uint32_t>(width) | 255u << 24);
  words.resize(words.size() + entries, 0);
  std::vector<bool> filled(entries, false);
  std::map<uint32_t, std::vector<Code>> deeper;
  for (const Code& code : codes) {
    if (code.length <= width) {
      const int spread = 1 << (width - code.length);
      const uint32_t first = code.bits << (width - code.length);
      const uint32_t entry = static_cast<uint32_t>((code.x != 0) + (code.y != 0)) |
                             static_cast<uint32_t>(code.x) << 8 |
                             static_cast<uint32_t>(code.y) << 16 |
                             static_cast<uint32_t>(code.length) << 24;
      for (int i = 0; i < spread; ++i) {
        if (filled[first + i]) Fail("not a prefix code");
        words[head + 1 + first + i] = entry;
        filled[first + i] = true;
      }
    } else {
      Code rest = code;
      rest.length -= width;
      rest.bits &= (1u << rest.length) - 1;
      deeper[code.bits >> rest.length].push_back(rest);
    }
  }
  for (const auto& [prefix, rest] : deeper) {
    if (filled[prefix]) Fail("not a prefix code");
    int longest = 0;
    for (const Code& code : rest) longest = std::max(longest, code.length);
    const int child = BuildNode(words, rest, std::min(longest, kMaxDeeperWidth));
    words[head + 1 + prefix] = static_cast<uint32_t>(child - head);
    filled[prefix] = true;
  }
  for (bool entryFilled : filled)
    if (!entryFilled) Fail("incomplete code");
  return head;
}

bool SameCode(const CodeTable& a, const CodeTable& b) {
  if (a.codes.size() != b.codes.size()) return false;
  for (size_t i = 0; i < a.codes.size(); ++i)
    if (a.codes[i].x != b.codes[i].x || a.codes[i].y != b.codes[i].y ||
        a.codes[i].length != b.codes[i].length || a.codes[i].bits != b.codes[i].bits)
      return false;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) Fail("usage: huffman_table_generator huffman.txt output.inc");
  const std::map<int, CodeTable> tables = ReadTables(argv[1]);
  for (int n = 0; n <= 33; ++n)
    if (!tables.count(n)) Fail("table " + std::to_string(n) + " missing");

  std::vector<uint32_t> words;
  int offsets[32];
  int kinds[32];
  for (int n = 0; n < 32; ++n) {
    const CodeTable& table = tables.at(n);
    offsets[n] = -1;
    kinds[n] = 0;
    if (table.codes.empty()) continue;
    if (kFirstLevelWidth[n] == 0) Fail("no lookup width for table " + std::to_string(n));
    // Tables that differ only in linbits share one tree.
    for (int earlier = 0; earlier < n; ++earlier)
      if (offsets[earlier] >= 0 && SameCode(tables.at(earlier), table) &&
          kFirstLevelWidth[earlier] == kFirstLevelWidth[n])
        offsets[n] = offsets[earlier];
    if (offsets[n] < 0) offsets[n] = BuildNode(words, table.codes, kFirstLevelWidth[n]);
    int longest = 0;
    for (const Code& code : table.codes) longest = std::max(longest, code.length);
    kinds[n] = table.linbits > 0 ? 3 : longest <= kFirstLevelWidth[n] ? 1 : 2;
  }

  uint8_t count1[1 << kCount1Bits][2] = {};
  for (const Code& code : tables.at(kCount1A).codes) {
    const int spread = 1 << (kCount1Bits - code.length);
    for (int i = 0; i < spread; ++i) {
      const uint32_t index = (code.bits << (kCount1Bits - code.length)) + i;
      count1[index][0] = static_cast<uint8_t>(code.length);
      count1[index][1] = static_cast<uint8_t>(code.x);
    }
  }
  for (const auto& entry : count1)
    if (entry[0] == 0) Fail("incomplete count1 table A");

  std::ofstream out(argv[2]);
  if (!out) Fail(std::string("cannot write ") + argv[2]);
  out << "// Generated from huffman.txt by huffman_table_generator; do not edit.\n";
  out << "const uint32_t kHuffmanNodeWords[" << words.size() << "] = {";
  for (size_t i = 0; i < words.size(); ++i) {
    if (i % 8 == 0) out << "\n   ";
    char text[16];
    std::snprintf(text, sizeof text, " 0x%08x,", words[i]);
    out << text;
  }
  out << "\n};\n";
  out << "const HuffmanTable kHuffmanTables[32] = {\n";
  for (int n = 0; n < 32; ++n)
    out << "    {" << offsets[n] << ", " << tables.at(n).linbits << ", " << kinds[n] << "},\n";
  out << "};\n";
  out << "const Count1Entry kCount1TableA[" << (1 << kCount1Bits) << "] = {";
  for (int i = 0; i < (1 << kCount1Bits); ++i) {
    if (i % 8 == 0) out << "\n   ";
    out << " {" << int(count1[i][0]) << ", " << int(count1[i][1]) << "},";
  }
  out << "\n};\n";
  return out ? 0 : 1;
}
