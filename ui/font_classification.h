#pragma once
// What a font of the font list is (its filters), which fonts the chooser
// lists, and which icon an item shows.
#include <QStringList>
#include <vector>

#include "ui/font_list.h"
#include "ui/font_name_filters.h"

namespace orvana::ui {

// What fnfPrinter means: an item's icon asks whether the printer has the
// font at all, the list's filter only whether nothing but the printer has it.
enum class TPrinterAttribute { kAvailableOnPrinter, kOnlyOnPrinter };

TFontNameFilters FontAttributes(const TFontEntry& font, TPrinterAttribute printer);

struct TFontListFilter {
  TFontNameFilters collect;
  TFontNameFilters exclusive;
  QStringList visibleNames;
  QStringList invisibleNames;
};

// A visible name is always listed and an invisible one never (names compare
// in any case). Any other font is listed when each of its printer, symbol,
// Japanese, fixed-pitch and lying attributes is collected, at least one of its
// kinds is collected, and it has every exclusive attribute.
bool IsListed(const TFontEntry& font, const TFontListFilter& filter);
std::vector<TFontEntry> ListedFonts(const TFontList& fonts, const TFontListFilter& filter);

// Exclusive filters keep at most one kind: the first kind `next` adds to
// `previous` replaces the others.
TFontNameFilters NarrowExclusiveKinds(TFontNameFilters previous, TFontNameFilters next);

// `list` without any of `names` (compared in any case).
QStringList WithoutNames(const QStringList& list, const QStringList& names);

enum class TFontIcon { kNone, kTrueType, kPrinter };

// An icon is shown only for a kind the chooser collects; `priority` decides
// for a TrueType font the printer has as well.
TFontIcon ChooseFontIcon(std::uint32_t attributes, TFontIconPriority priority, TFontNameFilters collect);

}  // namespace orvana::ui
