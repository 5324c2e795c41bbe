#include "app/playlist/time_text.h"

#include <charconv>
#include <cstdio>

#include "app/playlist/playlist_item.h"

namespace orvana::app {
namespace {

constexpr std::size_t kShortestTime = 5;  // "mm:ss"

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
  return text;
}

// Plain decimal digits; anything else, or a number that would not fit, is 0.
int DecimalOrZero(std::string_view digits) {
  if (digits.empty() || digits.size() > 6) return 0;
  int value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  return error == std::errc() && end == digits.data() + digits.size() && value >= 0 ? value : 0;
}

}  // namespace

int ParseTimeText(std::string_view text) {
  text = Trimmed(text);
  if (text.size() < kShortestTime || text == kUnknownTime) return 0;
  // The minutes are all that stands before the colon, the seconds the two
  // characters after it: a song of 100 minutes or more reads "123:45", which
  // a fixed "mm:ss" split would misread.
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos) return 0;
  return DecimalOrZero(text.substr(0, colon)) * 60 + DecimalOrZero(text.substr(colon + 1, 2));
}

std::string FormatTimeText(int seconds) {
  if (seconds < 0) seconds = 0;
  char text[24];
  std::snprintf(text, sizeof text, "%.2d:%.2d", seconds / 60, seconds % 60);
  return text;
}

}  // namespace orvana::app
