#include "app/window/app_icon.h"

#include <QIconEngine>
#include <QPainter>

namespace orvana::app {
namespace {

const QList<QSize> kSizes = {{16, 16}, {22, 22}, {24, 24}, {32, 32}, {48, 48}, {64, 64}, {128, 128}, {256, 256}};

// Paints the disc at the size asked for when it is asked for: the icon
// holds no pixmaps (a third of a megabyte at the sizes above).
class TBlackDiscEngine : public QIconEngine {
 public:
  void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
    const int side = std::min(rect.width(), rect.height());
    painter->drawPixmap(rect.topLeft(), BlackDisc(side));
  }
  QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
    return BlackDisc(std::min(size.width(), size.height()));
  }
  QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override { return kSizes; }
  QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
    const int side = std::min(size.width(), size.height());
    return {side, side};
  }
  QIconEngine* clone() const override { return new TBlackDiscEngine; }
  QString key() const override { return QStringLiteral("orvana-black-disc"); }
};

}  // namespace

QPixmap BlackDisc(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  // A grey rim keeps the disc visible on a dark panel.
  const qreal rim = std::max<qreal>(1.0, size / 24.0);
  painter.setPen(QPen(QColor(128, 128, 128), rim));
  painter.setBrush(Qt::black);
  const qreal inset = rim / 2 + size / 16.0;
  painter.drawEllipse(QRectF(inset, inset, size - 2 * inset, size - 2 * inset));
  return pixmap;
}

QIcon ApplicationIcon() { return QIcon(new TBlackDiscEngine); }

}  // namespace orvana::app
