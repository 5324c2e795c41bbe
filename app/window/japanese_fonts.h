#pragma once
// The window's fonts are Windows Japanese faces that Linux does not have;
// Qt is told to draw them with the system's Japanese sans face instead, so
// stored font names keep working and Japanese texts render.
#include <QColor>
#include <QFont>
#include <QPalette>

#include "app/settings/stored_font.h"

namespace orvana::app {

// The window's own font: "ＭＳ Ｐゴシック", 12 pixels.
constexpr const char* kWindowFontName = "ＭＳ Ｐゴシック";
constexpr int kWindowFontPixels = 12;

void InstallJapaneseFontSubstitutes();
QFont WindowFont();

// Sizes are stored in points at 96 dots per inch, as the Windows forms did.
int PointsToPixels(int points);

QFont ToQFont(const TStoredFont& stored);
// `font` held to the face it is drawn with, so that a bold of it (the
// current row, the lyric line, the bold Qt measures every header section
// with) is that face thickened rather than the family's bold face: a CJK
// bold face is a second font file of megabytes kept in memory.
QFont HeldToItsFace(const QFont& font);
QFont BoldOfSameFace(const QFont& font);
// A stored colour (0x00BBGGRR, or a system colour with the high bit set) as
// Qt draws it with this palette.
QColor StoredColour(TColor colour, const QPalette& palette);

}  // namespace orvana::app
