#pragma once
// The kinds of font the font name chooser tells apart, and sets of them.
#include <cstdint>
#include <initializer_list>

namespace orvana::ui {

// A fixed underlying type keeps a stray value (a cast int) well defined.
enum TFontNameFilter : int {
  fnfDevice,
  fnfVector,
  fnfRaster,
  fnfTrueType,
  fnfPrinter,
  fnfSymbolFont,
  fnfJapanese,
  fnfFixedPitch,
  fnfLyingFont,
};

// Which icon an item shows when it is both a TrueType and a printer font.
enum TFontIconPriority { fipTrueType, fipPrinter };

class TFontNameFilters {
 public:
  constexpr TFontNameFilters() = default;
  constexpr TFontNameFilters(std::initializer_list<TFontNameFilter> filters) {
    for (TFontNameFilter filter : filters) Include(filter);
  }

  static constexpr TFontNameFilters All() { return FromBits(kAllBits); }
  // fnfDevice, fnfVector, fnfRaster and fnfTrueType: what the font is made of.
  static constexpr TFontNameFilters Kinds() { return {fnfDevice, fnfVector, fnfRaster, fnfTrueType}; }

  constexpr bool Contains(TFontNameFilter filter) const { return (bits_ & Bit(filter)) != 0; }
  // Values outside the enumeration are ignored.
  constexpr TFontNameFilters& Include(TFontNameFilter filter) {
    bits_ |= Bit(filter);
    return *this;
  }
  constexpr TFontNameFilters& Exclude(TFontNameFilter filter) {
    bits_ &= ~Bit(filter);
    return *this;
  }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr std::uint16_t Bits() const { return bits_; }

  constexpr TFontNameFilters operator&(TFontNameFilters other) const { return FromBits(bits_ & other.bits_); }
  constexpr TFontNameFilters operator|(TFontNameFilters other) const { return FromBits(bits_ | other.bits_); }
  constexpr TFontNameFilters operator-(TFontNameFilters other) const { return FromBits(bits_ & ~other.bits_); }
  friend constexpr bool operator==(TFontNameFilters a, TFontNameFilters b) { return a.bits_ == b.bits_; }

 private:
  static constexpr std::uint16_t kAllBits = (1u << (fnfLyingFont + 1)) - 1;

  static constexpr std::uint16_t Bit(TFontNameFilter filter) {
    return filter >= fnfDevice && filter <= fnfLyingFont ? static_cast<std::uint16_t>(1u << filter) : 0;
  }
  static constexpr TFontNameFilters FromBits(unsigned bits) {
    TFontNameFilters filters;
    filters.bits_ = static_cast<std::uint16_t>(bits & kAllBits);
    return filters;
  }

  std::uint16_t bits_ = 0;
};

}  // namespace orvana::ui
