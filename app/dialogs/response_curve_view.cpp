#include "app/dialogs/response_curve_view.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <utility>

namespace orvana::app {
namespace {

constexpr double kLowestHz = 20;
constexpr double kHighestHz = 20000;
constexpr double kGridDb = 6;
constexpr int kMargin = 4;

}  // namespace

TResponseCurveView::TResponseCurveView(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void TResponseCurveView::ShowCurve(const TEqualizerCurve& curve, bool enabled) {
  if (curve == curve_ && enabled == enabled_) return;
  curve_ = curve;
  enabled_ = enabled;
  update();
}

double TResponseCurveView::FrequencyAt(int x, int width) {
  const double share = width > 1 ? double(x) / (width - 1) : 0.0;
  return kLowestHz * std::pow(kHighestHz / kLowestHz, share);
}

QSize TResponseCurveView::sizeHint() const { return {360, 96}; }
QSize TResponseCurveView::minimumSizeHint() const { return {160, 64}; }

double TResponseCurveView::Span() const {
  double largest = 0;
  for (int x = 0; x < width(); ++x)
    largest = std::max(largest, std::abs(response_.DecibelsAt(curve_, int(std::lround(FrequencyAt(x, width()))))));
  return std::max(2 * kGridDb, std::ceil(largest / kGridDb) * kGridDb);
}

void TResponseCurveView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPalette& colours = palette();
  painter.fillRect(rect(), colours.color(QPalette::Base));
  const QRectF area = QRectF(rect()).adjusted(0, kMargin, 0, -kMargin);
  const double span = Span();
  const auto y = [&](double db) { return area.center().y() - db / span * area.height() / 2; };

  QColor grid = colours.color(QPalette::Mid);
  painter.setPen(QPen(grid, 1, Qt::DotLine));
  for (double db = kGridDb; db <= span; db += kGridDb)
    for (const double line : {db, -db}) painter.drawLine(QPointF(area.left(), y(line)), QPointF(area.right(), y(line)));
  const QFontMetrics metrics = fontMetrics();
  for (const auto& [hz, name] :
       {std::pair{100.0, "100 Hz"}, std::pair{1000.0, "1 kHz"}, std::pair{10000.0, "10 kHz"}}) {
    const double x = std::log(hz / kLowestHz) / std::log(kHighestHz / kLowestHz) * (width() - 1);
    painter.setPen(QPen(grid, 1, Qt::DotLine));
    painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
    painter.setPen(grid);
    painter.drawText(QPointF(x + 3, area.bottom() - metrics.descent()), QString::fromLatin1(name));
  }
  painter.drawText(QPointF(3, area.top() + metrics.ascent()), QStringLiteral("+%1 dB").arg(span));
  painter.setPen(QPen(colours.color(QPalette::Text), 1));
  painter.drawLine(QPointF(area.left(), y(0)), QPointF(area.right(), y(0)));

  QPainterPath path;
  for (int x = 0; x < width(); ++x) {
    const QPointF point(x, y(response_.DecibelsAt(curve_, int(std::lround(FrequencyAt(x, width()))))));
    if (x == 0) {
      path.moveTo(point);
    } else {
      path.lineTo(point);
    }
  }
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(colours.color(enabled_ ? QPalette::Highlight : QPalette::Mid), 2));
  painter.drawPath(path);
}

}  // namespace orvana::app
