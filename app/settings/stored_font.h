#pragma once
// A font as the settings file holds it, without any window framework: the
// desktop side turns it into its own font type and back.
#include <cstdint>
#include <string>

namespace orvana::app {

// Colour values as a form stores them: 0x00BBGGRR for a fixed colour, or a
// system colour (the high bit set, the low byte its number).
using TColor = std::int32_t;
constexpr TColor clSystemColor = static_cast<TColor>(0x80000000u);
constexpr TColor clWindowText = static_cast<TColor>(0x80000008u);  // -2147483640

constexpr bool IsSystemColor(TColor color) { return color < 0; }

// Style bits, as the settings file stores them.
enum TFontStyleBit : int {
  fsBold = 1,
  fsItalic = 2,
  fsUnderline = 4,
  fsStrikeOut = 8,
};
constexpr int kFontStyleMask = fsBold | fsItalic | fsUnderline | fsStrikeOut;

struct TStoredFont {
  std::string name;
  int size = 0;        // points, as a form stores the font's size
  TColor color = clWindowText;
  int style = 0;       // TFontStyleBit values or'ed together

  bool operator==(const TStoredFont&) const = default;
};

}  // namespace orvana::app
