#pragma once
// Resizes a top-level window by following the mouse from a press on a size grip
// to the release. Used where no window manager takes the resize over (a bare X
// server, the offscreen platform).
#include <QPointF>
#include <QPointer>
#include <QSize>
#include <QWidget>

namespace orvana::ui {

class TWindowResizeDrag {
 public:
  void Start(QWidget* window, QPointF globalPosition);
  // Resizes the window by the mouse's way since Start, within the window's
  // minimum and maximum size; false when no drag is running.
  bool Follow(QPointF globalPosition);
  void Stop() { window_.clear(); }
  bool Active() const { return !window_.isNull(); }

 private:
  QPointer<QWidget> window_;
  QPointF startPosition_;
  QSize startSize_;
};

}  // namespace orvana::ui
