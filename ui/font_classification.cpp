#include "ui/font_classification.h"

namespace orvana::ui {
namespace {

// Attributes that keep a font out of the list unless they are collected.
constexpr TFontNameFilters kRestrictingAttributes{fnfPrinter, fnfSymbolFont, fnfJapanese, fnfFixedPitch, fnfLyingFont};

// In the enumeration's order, which decides between kinds added together.
constexpr TFontNameFilter kKinds[] = {fnfDevice, fnfVector, fnfRaster, fnfTrueType};

}  // namespace

TFontNameFilters FontAttributes(const TFontEntry& font, TPrinterAttribute printer) {
  const std::uint32_t word = font.attributes;
  const std::uint8_t charset = font_word::Charset(word);
  const std::uint32_t printerBit =
      printer == TPrinterAttribute::kOnlyOnPrinter ? font_word::kPrinterOnly : font_word::kOnPrinter;
  TFontNameFilters attributes;
  if (word & font_word::kDevice) attributes.Include(fnfDevice);
  if (word & font_word::kVector) attributes.Include(fnfVector);
  if (word & font_word::kRaster) attributes.Include(fnfRaster);
  if (word & font_word::kTrueType) attributes.Include(fnfTrueType);
  if (word & printerBit) attributes.Include(fnfPrinter);
  if (charset == font_word::kSymbolCharset) attributes.Include(fnfSymbolFont);
  if (charset == font_word::kJapaneseCharset) attributes.Include(fnfJapanese);
  if (word & font_word::kFixedPitch) attributes.Include(fnfFixedPitch);
  // A vertical-writing variant of a family: "@" and the family's name.
  if (font.name.startsWith(QLatin1Char('@'))) attributes.Include(fnfLyingFont);
  return attributes;
}

bool IsListed(const TFontEntry& font, const TFontListFilter& filter) {
  if (filter.visibleNames.contains(font.name, Qt::CaseInsensitive)) return true;
  if (filter.invisibleNames.contains(font.name, Qt::CaseInsensitive)) return false;
  const TFontNameFilters attributes = FontAttributes(font, TPrinterAttribute::kOnlyOnPrinter);
  const bool restrictedAway = !((attributes & kRestrictingAttributes) - filter.collect).Empty();
  const bool kindCollected = !(attributes & filter.collect & TFontNameFilters::Kinds()).Empty();
  const bool exclusiveMet = (attributes & filter.exclusive) == filter.exclusive;
  return !restrictedAway && kindCollected && exclusiveMet;
}

std::vector<TFontEntry> ListedFonts(const TFontList& fonts, const TFontListFilter& filter) {
  std::vector<TFontEntry> listed;
  for (const TFontEntry& font : fonts.Fonts())
    if (IsListed(font, filter)) listed.push_back(font);
  return listed;
}

TFontNameFilters NarrowExclusiveKinds(TFontNameFilters previous, TFontNameFilters next) {
  for (TFontNameFilter kind : kKinds)
    if (next.Contains(kind) && !previous.Contains(kind)) return (next - TFontNameFilters::Kinds()).Include(kind);
  return next;
}

QStringList WithoutNames(const QStringList& list, const QStringList& names) {
  QStringList kept;
  for (const QString& name : list)
    if (!names.contains(name, Qt::CaseInsensitive)) kept.append(name);
  return kept;
}

TFontIcon ChooseFontIcon(std::uint32_t attributes, TFontIconPriority priority, TFontNameFilters collect) {
  const TFontNameFilters shown =
      FontAttributes(TFontEntry{QString(), attributes}, TPrinterAttribute::kAvailableOnPrinter) & collect;
  const bool trueType = shown.Contains(fnfTrueType);
  const bool printer = shown.Contains(fnfPrinter);
  if (priority == fipPrinter) return printer ? TFontIcon::kPrinter : trueType ? TFontIcon::kTrueType : TFontIcon::kNone;
  return trueType ? TFontIcon::kTrueType : printer ? TFontIcon::kPrinter : TFontIcon::kNone;
}

}  // namespace orvana::ui
