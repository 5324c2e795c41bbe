#pragma once
// A sorted list of font families, each with an attribute word saying what kind
// of font it is, built from the screen's fonts and merged with the printer's.
//
// The attribute word:
//   bits 0-2     font type: 1 raster, 2 device, 4 TrueType (any outline font)
//   0x200        vector font
//   0x400        fixed pitch
//   0x800        the font exists only on the printer
//   bits 16-23   character set (2 symbol, 128 Japanese, 0 anything else)
//   0x80000000   the font is available on the printer
#include <QString>
#include <cstdint>
#include <vector>

namespace orvana::ui {

namespace font_word {
inline constexpr std::uint32_t kRaster = 0x1;
inline constexpr std::uint32_t kDevice = 0x2;
inline constexpr std::uint32_t kTrueType = 0x4;
inline constexpr std::uint32_t kVector = 0x200;
inline constexpr std::uint32_t kFixedPitch = 0x400;
inline constexpr std::uint32_t kPrinterOnly = 0x800;
inline constexpr std::uint32_t kOnPrinter = 0x80000000u;

inline constexpr std::uint8_t kSymbolCharset = 2;
inline constexpr std::uint8_t kJapaneseCharset = 128;

constexpr std::uint32_t CharsetBits(std::uint8_t charset) { return std::uint32_t{charset} << 16; }
constexpr std::uint8_t Charset(std::uint32_t word) { return static_cast<std::uint8_t>(word >> 16); }
}  // namespace font_word

struct TFontEntry {
  QString name;
  std::uint32_t attributes = 0;

  friend bool operator==(const TFontEntry&, const TFontEntry&) = default;
};

class TFontList {
 public:
  TFontList() = default;
  // The fonts as enumerated, in any order. A name seen before (in any case)
  // and an empty name are skipped. Printer fonts the screen lacks are added
  // as printer-only; those it has are marked as available on the printer.
  explicit TFontList(const std::vector<TFontEntry>& screenFonts, const std::vector<TFontEntry>& printerFonts = {});

  // Sorted by name, case-insensitively.
  const std::vector<TFontEntry>& Fonts() const { return fonts_; }
  // The font of that name in any case; null when there is none.
  const TFontEntry* Find(const QString& name) const;

 private:
  std::vector<TFontEntry> fonts_;
};

}  // namespace orvana::ui
