#pragma once
// The desktop's fonts (fontconfig's, through QFontDatabase) as one process-wide
// font list, built on first use: reading the font database takes a while.
#include <QString>
#include <cstdint>

#include "ui/font_list.h"

namespace orvana::ui {

// What the font database tells about a family.
struct TFontTraits {
  bool outline = false;  // smoothly scalable: TrueType, OpenType, Type 1
  bool fixedPitch = false;
  bool japanese = false;
  bool symbol = false;
  bool latin = false;
};

// Outline fonts count as TrueType, all others as raster fonts. A family that
// writes Japanese has the Japanese character set, else one that writes only
// symbols (no Latin) the symbol character set.
std::uint32_t FontAttributeWord(const TFontTraits& traits);

// A family the database also names with its foundry, "Nimbus Sans [urw]",
// without the foundry: the list names each family once.
QString FamilyWithoutFoundry(const QString& family);

// Needs the application object. The desktop has no printer-only fonts.
const TFontList& SystemFontList();

}  // namespace orvana::ui
