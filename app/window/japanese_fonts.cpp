#include "app/window/japanese_fonts.h"

#include <QStringList>
#include <cmath>

namespace orvana::app {
namespace {

// Japanese sans faces in order of preference; Noto Sans CJK JP is the one
// the program installs.
const QStringList kJapaneseSans = {"Noto Sans CJK JP", "Noto Sans JP", "IPAPGothic", "IPAexGothic",
                                   "VL PGothic",       "TakaoPGothic", "Sans Serif"};

const char* const kWindowsJapaneseFaces[] = {
    "ＭＳ Ｐゴシック", "ＭＳ ゴシック", "ＭＳ Ｐ明朝", "ＭＳ 明朝", "MS UI Gothic", "MS PGothic",
    "MS Gothic",       "MS Mincho",     "MS PMincho", "Meiryo",   "メイリオ",     "Meiryo UI",
    "Yu Gothic",       "游ゴシック",    "Yu Gothic UI",
};

}  // namespace

void InstallJapaneseFontSubstitutes() {
  for (const char* face : kWindowsJapaneseFaces) QFont::insertSubstitutions(QString::fromUtf8(face), kJapaneseSans);
}

QFont WindowFont() {
  QFont font(QString::fromUtf8(kWindowFontName));
  font.setPixelSize(kWindowFontPixels);
  return font;
}

int PointsToPixels(int points) { return int(std::lround(points * 96.0 / 72.0)); }

int PixelsToPoints(int pixels) { return int(std::lround(pixels * 72.0 / 96.0)); }

QFont ToQFont(const TFontSpec& spec) {
  QFont font(QString::fromStdString(spec.name));
  font.setPixelSize(std::max(1, PointsToPixels(spec.size)));
  font.setBold(spec.style & fsBold);
  font.setItalic(spec.style & fsItalic);
  font.setUnderline(spec.style & fsUnderline);
  font.setStrikeOut(spec.style & fsStrikeOut);
  return font;
}

TFontSpec ToFontSpec(const QFont& font, TColor colour) {
  TFontSpec spec;
  spec.name = font.family().toStdString();
  spec.size = font.pixelSize() > 0 ? PixelsToPoints(font.pixelSize()) : int(std::lround(font.pointSizeF()));
  spec.color = colour;
  spec.style = (font.bold() ? fsBold : 0) | (font.italic() ? fsItalic : 0) |
               (font.underline() ? fsUnderline : 0) | (font.strikeOut() ? fsStrikeOut : 0);
  return spec;
}

QColor StoredColour(TColor colour, const QPalette& palette) {
  if (IsSystemColor(colour)) {
    // The window-text and window-colour system colours are the ones a
    // stored font can carry; any other draws as text.
    switch (colour & 0xFF) {
      case 5:  // window
        return palette.color(QPalette::Base);
      case 8:  // window text
      default:
        return palette.color(QPalette::Text);
    }
  }
  const auto value = std::uint32_t(colour);
  return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

}  // namespace orvana::app
