#pragma once
// One-pixel lines drawn the way a pen moves to a point: the end point itself is
// left out, so that a polyline draws each corner once.
#include <QColor>
#include <QPoint>
#include <QRect>

class QPainter;

namespace orvana::ui {

// Draws the pixels from `from` up to, but not including, `to`. The line must be
// horizontal, vertical or at 45 degrees (anything else draws nothing). Only the
// pixels inside `bounds` are touched, so far-off ends cost nothing.
void DrawPixelLine(QPainter& painter, QPoint from, QPoint to, const QColor& color, const QRect& bounds);

}  // namespace orvana::ui
