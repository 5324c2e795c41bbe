#include "ui/drag_button.h"

#include <qdrawutil.h>

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace orvana::ui {

QRect DragButtonGeometry(QSize editSize, int buttonWidth, int frameWidth) {
  const int width = std::max(0, buttonWidth);
  const int height = std::max(0, editSize.height() - 2 * frameWidth);
  return QRect(editSize.width() - frameWidth - width, frameWidth, width, height);
}

TDragButton::TDragButton(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  // Over an edit the I-beam would promise text; the button is dragged sideways.
  setCursor(Qt::SizeHorCursor);
}

void TDragButton::SetMark(const QString& mark) {
  if (mark == mark_) return;
  mark_ = mark;
  update();
}

void TDragButton::SetMarkColor(const QColor& color) {
  if (color == markColor_) return;
  markColor_ = color;
  update();
}

QColor TDragButton::Color() const { return color_.value_or(palette().color(QPalette::Button)); }

void TDragButton::SetColor(const QColor& color) {
  // Stored even when equal: a set colour no longer follows the palette.
  const bool changed = color != Color();
  color_ = color;
  if (changed) update();
}

void TDragButton::SetLowered(bool lowered) {
  if (lowered == lowered_) return;
  lowered_ = lowered;
  update();
}

void TDragButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QBrush fill(Color());
  qDrawShadePanel(&painter, rect(), palette(), lowered_, 1, &fill);
  painter.setFont(font());
  painter.setPen(markColor_);
  // A pressed-in button's face moves down and right by a pixel.
  const QRect face = lowered_ ? rect().translated(1, 1) : rect();
  painter.drawText(face, Qt::AlignCenter | Qt::TextSingleLine, mark_);
}

void TDragButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  event->accept();
  emit leftPressed(event->modifiers(), event->position().toPoint());
}

void TDragButton::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton)) return QWidget::mouseMoveEvent(event);
  event->accept();
  emit leftMoved(event->modifiers(), event->position().toPoint());
}

void TDragButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
  event->accept();
  emit leftReleased(event->modifiers(), event->position().toPoint());
}

}  // namespace orvana::ui
