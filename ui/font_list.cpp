#include "ui/font_list.h"

#include <algorithm>

namespace orvana::ui {
namespace {

int CompareNames(const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseInsensitive); }

bool NameLess(const TFontEntry& a, const TFontEntry& b) { return CompareNames(a.name, b.name) < 0; }

// An enumeration reports a family once per character set, and not always one
// after the other: every repeat is dropped, not only the adjacent ones.
std::vector<TFontEntry> SortedUnique(const std::vector<TFontEntry>& fonts) {
  std::vector<TFontEntry> sorted;
  sorted.reserve(fonts.size());
  for (const TFontEntry& font : fonts)
    if (!font.name.isEmpty()) sorted.push_back(font);
  // Stable, so that of equal names the first reported is the one kept.
  std::stable_sort(sorted.begin(), sorted.end(), NameLess);
  sorted.erase(std::unique(sorted.begin(), sorted.end(),
                           [](const TFontEntry& a, const TFontEntry& b) { return CompareNames(a.name, b.name) == 0; }),
               sorted.end());
  return sorted;
}

}  // namespace

TFontList::TFontList(const std::vector<TFontEntry>& screenFonts, const std::vector<TFontEntry>& printerFonts) {
  const std::vector<TFontEntry> screen = SortedUnique(screenFonts);
  const std::vector<TFontEntry> printer = SortedUnique(printerFonts);
  fonts_.reserve(screen.size() + printer.size());
  auto next = printer.begin();
  const auto addPrinterOnlyBefore = [&](const TFontEntry* bound) {
    for (; next != printer.end() && (!bound || NameLess(*next, *bound)); ++next)
      fonts_.push_back({next->name, next->attributes | font_word::kOnPrinter | font_word::kPrinterOnly});
  };
  for (const TFontEntry& font : screen) {
    addPrinterOnlyBefore(&font);
    TFontEntry& added = fonts_.emplace_back(font);
    if (next != printer.end() && CompareNames(next->name, font.name) == 0) {
      added.attributes |= next->attributes | font_word::kOnPrinter;
      ++next;
    }
  }
  addPrinterOnlyBefore(nullptr);
}

const TFontEntry* TFontList::Find(const QString& name) const {
  const auto found =
      std::lower_bound(fonts_.begin(), fonts_.end(), name,
                       [](const TFontEntry& font, const QString& key) { return CompareNames(font.name, key) < 0; });
  return found != fonts_.end() && CompareNames(found->name, name) == 0 ? &*found : nullptr;
}

}  // namespace orvana::ui
