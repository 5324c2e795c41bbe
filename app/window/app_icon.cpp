#include "app/window/app_icon.h"

#include <QPainter>

namespace orvana::app {

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

QIcon ApplicationIcon() {
  QIcon icon;
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) icon.addPixmap(BlackDisc(size));
  return icon;
}

}  // namespace orvana::app
