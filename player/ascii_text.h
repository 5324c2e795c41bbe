#pragma once
// Comparisons of the ASCII names that tags use for their keys.
#include <algorithm>
#include <string_view>

namespace orvana::player {

// Equal but for the case of the letters A to Z.
inline bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace orvana::player
