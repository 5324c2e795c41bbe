#include "ui/panel_bar.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWindow>
#include <algorithm>

#include "ui/pixel_line.h"

namespace orvana::ui {
namespace {

// Sizes and margins beyond this are as good as infinite on any screen; the
// bound keeps the geometry's arithmetic far from overflow.
constexpr int kFarOff = 1 << 20;

constexpr int kTextTop = 3;
constexpr int kPreferredWidth = 185;
constexpr int kMinimumHeight = 19;

}  // namespace

TPanelBar::TPanelBar(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void TPanelBar::SetBevel(TPanelBevel bevel) {
  if (bevel == bevel_) return;
  bevel_ = bevel;
  update();
}

void TPanelBar::SetFixedGrip(bool fixed) {
  if (fixed == fixedGrip_) return;
  fixedGrip_ = fixed;
  update();
}

void TPanelBar::SetGripSize(int size) {
  if (size == gripSize_) return;
  gripSize_ = size;
  if (fixedGrip_) update();
}

void TPanelBar::SetMargin(int margin) {
  if (margin == margin_) return;
  margin_ = margin;
  update();
}

void TPanelBar::SetShowGrip(bool show) {
  if (show == showGrip_) return;
  showGrip_ = show;
  update();
}

void TPanelBar::SetText(const QString& text) {
  if (text == text_) return;
  text_ = text;
  update(TextAreaRect());
}

QColor TPanelBar::Color() const { return color_.value_or(palette().color(QPalette::Button)); }

void TPanelBar::SetColor(const QColor& color) {
  // Stored even when equal: a set colour no longer follows the palette.
  const bool changed = color != Color();
  color_ = color;
  if (changed) update();
}

void TPanelBar::SetOnDrawPanel(TDrawPanelEvent handler) {
  onDrawPanel_ = std::move(handler);
  update();
}

int TPanelBar::GripExtent() const {
  if (!showGrip_) return 0;
  return std::clamp(fixedGrip_ ? gripSize_ : height() - 2, 0, kFarOff);
}

bool TPanelBar::IsOnGrip(QPoint point) const {
  const int grip = GripExtent();
  return showGrip_ && point.x() >= width() - grip && point.x() < width() && point.y() >= height() - grip &&
         point.y() < height();
}

QRect TPanelBar::TextRect() const {
  const int left = std::clamp(margin_, -kFarOff, kFarOff);
  return QRect(QPoint(left, kTextTop), QPoint(width() - GripExtent() - 1, height() - 2));
}

QRect TPanelBar::TextAreaRect() const {
  const bool textMayCoverBevel = bevel_ != pbNone && margin_ < 1;
  if (onDrawPanel_ || textMayCoverBevel) return rect();
  const int right = width() - GripExtent();
  if (bevel_ != pbNone) return QRect(QPoint(1, kTextTop), QPoint(right - 2, height() - 2));
  return QRect(QPoint(0, 0), QPoint(right - 1, height() - 1));
}

QSize TPanelBar::sizeHint() const {
  // Room for a line of text inside the text rectangle, which leaves three
  // pixels above it and one below, plus a pixel either side.
  return QSize(kPreferredWidth, std::max(kMinimumHeight, fontMetrics().height() + kTextTop + 3));
}

void TPanelBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (onDrawPanel_) {
    onDrawPanel_(*this, painter);
    return;
  }
  PaintPanel(painter);
}

void TPanelBar::PaintPanel(QPainter& painter) const {
  painter.fillRect(rect(), Color());
  PaintBevel(painter);
  PaintText(painter);
  PaintGrip(painter);
}

void TPanelBar::PaintBevel(QPainter& painter) const {
  if (bevel_ == pbNone) return;
  const QColor shadow = palette().color(QPalette::Dark);
  const QColor highlight = palette().color(QPalette::Light);
  const QColor& upperLeft = bevel_ == pbLowered ? shadow : highlight;
  const QColor& lowerRight = bevel_ == pbLowered ? highlight : shadow;
  const int right = width() - 1;
  const int bottom = height() - 1;
  DrawPixelLine(painter, QPoint(0, bottom - 1), QPoint(0, 2), upperLeft, rect());
  DrawPixelLine(painter, QPoint(0, 2), QPoint(right, 2), upperLeft, rect());
  DrawPixelLine(painter, QPoint(0, bottom), QPoint(right, bottom), lowerRight, rect());
  DrawPixelLine(painter, QPoint(right, bottom), QPoint(right, 1), lowerRight, rect());
}

void TPanelBar::PaintText(QPainter& painter) const {
  const QRect area = TextRect();
  if (text_.isEmpty() || area.width() <= 0) return;
  QString line = text_;
  line.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
  painter.save();
  // Without a bevel nothing needs protecting, and a tall font may spill over.
  if (bevel_ != pbNone) painter.setClipRect(area, Qt::IntersectClip);
  painter.setFont(font());
  painter.setPen(palette().color(foregroundRole()));
  painter.setBrush(Qt::NoBrush);
  painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                   fontMetrics().elidedText(line, Qt::ElideRight, area.width()));
  painter.restore();
}

void TPanelBar::PaintGrip(QPainter& painter) const {
  const int grip = GripExtent();
  if (grip - 1 < 4) return;
  const QColor colours[4] = {Color(), palette().color(QPalette::Dark), palette().color(QPalette::Dark),
                             palette().color(QPalette::Light)};
  // Diagonals further out than width + height never reach the bar.
  const int lineCount = std::min((grip - 1) / 4 * 4, width() + height());
  for (int line = 0; line < lineCount; ++line)
    DrawPixelLine(painter, QPoint(width(), height() - 2 - line), QPoint(width() - 3 - line, height() + 1),
                  colours[line % 4], rect());
}

void TPanelBar::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  emit resized();
}

void TPanelBar::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !IsOnGrip(event->position().toPoint())) {
    QWidget::mousePressEvent(event);
    return;
  }
  event->accept();
  StartWindowResize(event->globalPosition());
}

void TPanelBar::StartWindowResize(QPointF globalPosition) {
  QWidget* target = window();
  QWindow* handle = target->windowHandle();
  if (handle && handle->startSystemResize(Qt::RightEdge | Qt::BottomEdge)) return;
  resizeDrag_.Start(target, globalPosition);
}

void TPanelBar::mouseMoveEvent(QMouseEvent* event) {
  // A release lost elsewhere (a grab taken away) ends the drag as well.
  if (resizeDrag_.Active() && !(event->buttons() & Qt::LeftButton)) resizeDrag_.Stop();
  if (resizeDrag_.Follow(event->globalPosition())) {
    event->accept();
    return;
  }
  UpdateCursor(event->position().toPoint());
  QWidget::mouseMoveEvent(event);
}

void TPanelBar::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && resizeDrag_.Active()) {
    resizeDrag_.Stop();
    UpdateCursor(event->position().toPoint());
    event->accept();
    return;
  }
  QWidget::mouseReleaseEvent(event);
}

void TPanelBar::UpdateCursor(QPoint point) {
  // The bar sets a cursor of its own only over the grip.
  const bool onGrip = IsOnGrip(point);
  if (onGrip == testAttribute(Qt::WA_SetCursor)) return;
  if (onGrip)
    setCursor(Qt::SizeFDiagCursor);
  else
    unsetCursor();
}

}  // namespace orvana::ui
