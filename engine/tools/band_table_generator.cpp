// Build-time generator: turns the Layer III scale-factor band boundaries
// (text) into C++ arrays, one row per sampling frequency in the engine's
// order (MPEG-1, MPEG-2, MPEG-2.5; each by sampling-frequency index).
// Usage: band_table_generator scalefactor-bands.txt output.inc
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kRates[9] = {44100, 48000, 32000, 22050, 24000, 16000, 11025, 12000, 8000};
constexpr size_t kLongCount = 23;
constexpr size_t kShortCount = 14;

[[noreturn]] void Fail(const std::string& message) {
  std::cerr << "band_table_generator: " << message << "\n";
  std::exit(1);
}

struct Bands {
  std::vector<int> longStarts, shortStarts;
};

std::map<int, Bands> ReadBands(const char* path) {
  std::ifstream in(path);
  if (!in) Fail(std::string("cannot read ") + path);
  std::map<int, Bands> rates;
  Bands* current = nullptr;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string word;
    fields >> word;
    if (word == "rate") {
      int rate = 0;
      fields >> rate;
      current = &rates[rate];
      continue;
    }
    if (!current) Fail("bands before the first rate");
    std::vector<int>& target = word == "long" ? current->longStarts : current->shortStarts;
    if (word != "long" && word != "short") Fail("unknown line: " + line);
    for (int value; fields >> value;) target.push_back(value);
  }
  return rates;
}

void WriteRows(std::ofstream& out, const char* name, const std::map<int, Bands>& rates,
               bool longBands) {
  const size_t count = longBands ? kLongCount : kShortCount;
  out << "constexpr int16_t " << name << "[9][" << count << "] = {\n";
  for (int rate : kRates) {
    const Bands& bands = rates.at(rate);
    const std::vector<int>& starts = longBands ? bands.longStarts : bands.shortStarts;
    if (starts.size() != count) Fail("wrong band count at " + std::to_string(rate));
    for (size_t i = 1; i < starts.size(); ++i)
      if (starts[i] <= starts[i - 1]) Fail("bands out of order at " + std::to_string(rate));
    out << "    {";
    for (size_t i = 0; i < starts.size(); ++i) out << (i ? ", " : "") << starts[i];
    out << "},  // " << rate << " Hz\n";
  }
  out << "};\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) Fail("usage: band_table_generator scalefactor-bands.txt output.inc");
  const std::map<int, Bands> rates = ReadBands(argv[1]);
  for (int rate : kRates)
    if (!rates.count(rate)) Fail("rate " + std::to_string(rate) + " missing");
  std::ofstream out(argv[2]);
  if (!out) Fail(std::string("cannot write ") + argv[2]);
  out << "// Generated from scalefactor-bands.txt by band_table_generator; do not edit.\n";
  WriteRows(out, "kGeneratedLongBandStarts", rates, true);
  WriteRows(out, "kGeneratedShortBandStarts", rates, false);
  return out ? 0 : 1;
}
