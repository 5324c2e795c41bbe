#include "ui/pixel_line.h"

#include <QPainter>
#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace orvana::ui {
namespace {

int Sign(int64_t value) { return (value > 0) - (value < 0); }

// Narrows [first, last] to the steps k whose coordinate start + k * step lies
// in [low, high]; false when no step does.
bool KeepStepsInside(int64_t start, int step, int64_t low, int64_t high, int64_t& first, int64_t& last) {
  if (step == 0) return start >= low && start <= high;
  const int64_t lowStep = step > 0 ? low - start : start - high;
  const int64_t highStep = step > 0 ? high - start : start - low;
  first = std::max(first, lowStep);
  last = std::min(last, highStep);
  return first <= last;
}

}  // namespace

void DrawPixelLine(QPainter& painter, QPoint from, QPoint to, const QColor& color, const QRect& bounds) {
  const int64_t dx = int64_t{to.x()} - from.x();
  const int64_t dy = int64_t{to.y()} - from.y();
  if ((dx == 0 && dy == 0) || (dx != 0 && dy != 0 && std::llabs(dx) != std::llabs(dy))) return;
  const int stepX = Sign(dx);
  const int stepY = Sign(dy);
  int64_t first = 0;
  int64_t last = std::max(std::llabs(dx), std::llabs(dy)) - 1;
  if (!KeepStepsInside(from.x(), stepX, bounds.left(), bounds.right(), first, last) ||
      !KeepStepsInside(from.y(), stepY, bounds.top(), bounds.bottom(), first, last))
    return;
  const auto pixel = [&](int64_t k) { return QPoint(int(from.x() + k * stepX), int(from.y() + k * stepY)); };
  if (stepX == 0 || stepY == 0) {
    const QPoint a = pixel(first);
    const QPoint b = pixel(last);
    painter.fillRect(QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                           QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y()))),
                     color);
    return;
  }
  for (int64_t k = first; k <= last; ++k) painter.fillRect(QRect(pixel(k), QSize(1, 1)), color);
}

}  // namespace orvana::ui
