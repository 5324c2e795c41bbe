#pragma once
// The 16 x 16 icons in front of a font's name: two overlapping Ts for an
// outline (TrueType) font, a printer for a printer font. Painted on first use.
#include <QImage>

namespace orvana::ui {

inline constexpr int kFontIconSize = 16;

const QImage& TrueTypeFontIcon();
const QImage& PrinterFontIcon();

}  // namespace orvana::ui
