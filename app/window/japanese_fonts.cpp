#include "app/window/japanese_fonts.h"

#include <QFontInfo>
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

QFont ToQFont(const TStoredFont& stored) {
  QFont font(QString::fromStdString(stored.name));
  font.setPixelSize(std::max(1, PointsToPixels(stored.size)));
  font.setBold(stored.style & fsBold);
  font.setItalic(stored.style & fsItalic);
  font.setUnderline(stored.style & fsUnderline);
  font.setStrikeOut(stored.style & fsStrikeOut);
  return font;
}

QFont HeldToItsFace(const QFont& font) {
  QFont held = font;
  held.setStyleName(QFontInfo(font).styleName());
  return held;
}

QFont BoldOfSameFace(const QFont& font) {
  QFont bold = HeldToItsFace(font);
  bold.setBold(true);
  return bold;
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
