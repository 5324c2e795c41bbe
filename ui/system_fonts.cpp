#include "ui/system_fonts.h"

#include <QFontDatabase>
#include <QList>
#include <QStringList>

namespace orvana::ui {
namespace {

TFontTraits ReadTraits(const QString& family) {
  const QList<QFontDatabase::WritingSystem> systems = QFontDatabase::writingSystems(family);
  TFontTraits traits;
  traits.outline = QFontDatabase::isSmoothlyScalable(family);
  traits.fixedPitch = QFontDatabase::isFixedPitch(family);
  traits.japanese = systems.contains(QFontDatabase::Japanese);
  traits.symbol = systems.contains(QFontDatabase::Symbol);
  traits.latin = systems.contains(QFontDatabase::Latin);
  return traits;
}

TFontList ReadSystemFonts() {
  std::vector<TFontEntry> fonts;
  for (const QString& family : QFontDatabase::families()) {
    // Families a platform keeps for itself are not for choosing.
    if (QFontDatabase::isPrivateFamily(family)) continue;
    fonts.push_back({FamilyWithoutFoundry(family), FontAttributeWord(ReadTraits(family))});
  }
  return TFontList(fonts);
}

}  // namespace

std::uint32_t FontAttributeWord(const TFontTraits& traits) {
  std::uint32_t word = traits.outline ? font_word::kTrueType : font_word::kRaster;
  if (traits.fixedPitch) word |= font_word::kFixedPitch;
  if (traits.japanese)
    word |= font_word::CharsetBits(font_word::kJapaneseCharset);
  else if (traits.symbol && !traits.latin)
    word |= font_word::CharsetBits(font_word::kSymbolCharset);
  return word;
}

QString FamilyWithoutFoundry(const QString& family) {
  if (!family.endsWith(QLatin1Char(']'))) return family;
  const qsizetype open = family.lastIndexOf(QStringLiteral(" ["));
  return open > 0 ? family.left(open) : family;
}

const TFontList& SystemFontList() {
  static const TFontList fonts = ReadSystemFonts();
  return fonts;
}

}  // namespace orvana::ui
