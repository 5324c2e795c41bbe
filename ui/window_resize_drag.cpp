#include "ui/window_resize_drag.h"

namespace orvana::ui {

void TWindowResizeDrag::Start(QWidget* window, QPointF globalPosition) {
  window_ = window;
  startPosition_ = globalPosition;
  startSize_ = window ? window->size() : QSize();
}

bool TWindowResizeDrag::Follow(QPointF globalPosition) {
  if (!window_) return false;
  const QPoint way = (globalPosition - startPosition_).toPoint();
  const QSize wanted = (startSize_ + QSize(way.x(), way.y()))
                           .expandedTo(window_->minimumSize())
                           .expandedTo(QSize(1, 1))
                           .boundedTo(window_->maximumSize());
  window_->resize(wanted);
  return true;
}

}  // namespace orvana::ui
