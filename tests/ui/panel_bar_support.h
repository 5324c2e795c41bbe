#pragma once
// Shared by the panel bar's tests: colours that tell the bar's parts apart,
// offscreen rendering and mouse events sent straight to a widget.
#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPalette>
#include <QWidget>
#include <ostream>

#include "qt_test_application.h"

inline void PrintTo(const QColor& colour, std::ostream* out) { *out << colour.name().toStdString(); }

namespace orvana::ui::testing {

// Declared before a fixture's widgets, so that the application exists first.
struct ApplicationFirst {
  ApplicationFirst() { orvana::testing::TestApplication(); }
};

inline const QColor kFill = Qt::white;
inline const QColor kShadow = Qt::red;
inline const QColor kHighlight = Qt::green;

inline void UseTellingColours(QWidget& widget) {
  QPalette palette = widget.palette();
  palette.setColor(QPalette::Button, kFill);
  palette.setColor(QPalette::Dark, kShadow);
  palette.setColor(QPalette::Light, kHighlight);
  palette.setColor(QPalette::WindowText, Qt::black);
  widget.setPalette(palette);
}

// Antialiased black text is grey; none of the telling colours is.
inline bool IsInk(const QColor& colour) {
  return colour.red() == colour.green() && colour.green() == colour.blue() && colour.red() < 200;
}

inline QImage Render(QWidget& widget) {
  QImage image(widget.size(), QImage::Format_RGB32);
  image.fill(Qt::blue);
  widget.render(&image);
  return image;
}

inline void SendMouse(QWidget& widget, QEvent::Type type, QPoint local, Qt::MouseButtons buttons) {
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, QPointF(local), widget.mapToGlobal(QPointF(local)), button, buttons, Qt::NoModifier);
  QApplication::sendEvent(&widget, &event);
}

inline void ProcessEvents() {
  for (int round = 0; round < 3; ++round) QApplication::processEvents();
}

}  // namespace orvana::ui::testing
