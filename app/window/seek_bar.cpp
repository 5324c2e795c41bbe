#include "app/window/seek_bar.h"

#include <QMouseEvent>
#include <algorithm>
#include <climits>

namespace orvana::app {

std::int64_t PositionAt(int x, int width, std::int64_t maximum) {
  if (width <= 0) return 0;
  return std::int64_t(x) * maximum / width;
}

TSeekBar::TSeekBar(QWidget* parent) : QProgressBar(parent) {}

void TSeekBar::SetLength(std::int64_t lengthMs) { setRange(0, int(std::clamp<std::int64_t>(lengthMs, 1, INT_MAX))); }

void TSeekBar::SetPosition(std::int64_t positionMs) {
  setValue(int(std::clamp<std::int64_t>(positionMs, minimum(), maximum())));
}

void TSeekBar::mousePressEvent(QMouseEvent* event) {
  emit pressedAt(int(event->position().x()));
  event->accept();
}

}  // namespace orvana::app
