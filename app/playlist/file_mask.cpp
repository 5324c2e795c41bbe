#include "app/playlist/file_mask.h"

#include <cstdint>

#include "app/files/path_text.h"

namespace orvana::app {
namespace {

bool IsContinuationByte(char c) { return (static_cast<std::uint8_t>(c) & 0xC0) == 0x80; }

// Length of the character starting at `at`, so that "?" takes a whole UTF-8
// character.
std::size_t CharacterLength(std::string_view text, std::size_t at) {
  std::size_t end = at + 1;
  while (end < text.size() && IsContinuationByte(text[end])) ++end;
  return end - at;
}

}  // namespace

std::vector<std::string_view> MaskPatterns(std::string_view mask) {
  std::vector<std::string_view> patterns;
  while (!mask.empty()) {
    const std::size_t end = mask.find(';');
    const std::string_view pattern = mask.substr(0, end);
    if (!pattern.empty()) patterns.push_back(pattern);
    if (end == std::string_view::npos) break;
    mask.remove_prefix(end + 1);
  }
  return patterns;
}

bool MatchesPattern(std::string_view name, std::string_view pattern) {
  // Greedy matching that returns to the last "*" on a mismatch: linear in
  // practice, never exponential.
  std::size_t n = 0, p = 0;
  std::size_t starPattern = std::string_view::npos, starName = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starPattern = p++;
      starName = n;
    } else if (p < pattern.size() && pattern[p] == '?') {
      ++p;
      n += CharacterLength(name, n);
    } else if (p < pattern.size() && AsciiLower(pattern[p]) == AsciiLower(name[n])) {
      ++p;
      ++n;
    } else if (starPattern != std::string_view::npos) {
      p = starPattern + 1;
      starName += CharacterLength(name, starName);
      n = starName;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace orvana::app
