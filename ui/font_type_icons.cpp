#include "ui/font_type_icons.h"

#include <QPainter>

namespace orvana::ui {
namespace {

QImage BlankIcon() {
  QImage icon(kFontIconSize, kFontIconSize, QImage::Format_ARGB32_Premultiplied);
  icon.fill(Qt::transparent);
  return icon;
}

// A serifed T whose bar's top-left corner is at `origin`.
void PaintLetterT(QPainter& painter, QPoint origin, const QColor& colour) {
  painter.fillRect(origin.x(), origin.y(), 9, 2, colour);
  painter.fillRect(origin.x(), origin.y() + 2, 1, 1, colour);
  painter.fillRect(origin.x() + 8, origin.y() + 2, 1, 1, colour);
  painter.fillRect(origin.x() + 3, origin.y() + 2, 3, 7, colour);
  painter.fillRect(origin.x() + 2, origin.y() + 9, 5, 1, colour);
}

QImage PaintTrueTypeIcon() {
  QImage icon = BlankIcon();
  QPainter painter(&icon);
  PaintLetterT(painter, QPoint(0, 1), QColor(0x80, 0x80, 0x80));
  PaintLetterT(painter, QPoint(6, 5), QColor(0x1c, 0x4f, 0xa8));
  return icon;
}

// A sheet going in at the top and one coming out at the bottom of a grey box.
QImage PaintPrinterIcon() {
  QImage icon = BlankIcon();
  QPainter painter(&icon);
  const QColor outline(0x40, 0x40, 0x40);
  painter.setPen(outline);
  painter.setBrush(Qt::white);
  painter.drawRect(4, 1, 7, 6);
  painter.setBrush(QColor(0xb8, 0xb8, 0xb8));
  painter.drawRect(1, 6, 13, 6);
  painter.setBrush(Qt::white);
  painter.drawRect(4, 10, 7, 4);
  painter.fillRect(5, 11, 5, 1, outline);
  painter.fillRect(11, 8, 2, 1, QColor(0x20, 0xa0, 0x30));
  return icon;
}

}  // namespace

const QImage& TrueTypeFontIcon() {
  static const QImage icon = PaintTrueTypeIcon();
  return icon;
}

const QImage& PrinterFontIcon() {
  static const QImage icon = PaintPrinterIcon();
  return icon;
}

}  // namespace orvana::ui
