#include "app/tray/sni_icon_pixmaps.h"

#include <QPainter>
#include <QtEndian>

namespace orvana::app {

TSniPixmap SniPixmapFromImage(const QImage& image, int size) {
  QImage square;
  if (image.size() == QSize(size, size)) {
    square = image.convertToFormat(QImage::Format_ARGB32);
  } else {
    square = QImage(size, size, QImage::Format_ARGB32);
    square.fill(Qt::transparent);
    if (!image.isNull()) {
      const QImage fitted = image.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
      QPainter painter(&square);
      painter.setCompositionMode(QPainter::CompositionMode_Source);
      painter.drawImage((size - fitted.width()) / 2, (size - fitted.height()) / 2, fitted);
    }
  }
  TSniPixmap pixmap{size, size, QByteArray(size * size * 4, Qt::Uninitialized)};
  auto* out = reinterpret_cast<uchar*>(pixmap.argb.data());
  for (int y = 0; y < size; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(square.constScanLine(y));
    for (int x = 0; x < size; ++x, out += 4) qToBigEndian<quint32>(row[x], out);
  }
  return pixmap;
}

TSniPixmapList SniIconPixmaps(const QIcon& icon) {
  TSniPixmapList pixmaps;
  if (icon.isNull()) return pixmaps;
  for (const int size : kSniIconSizes) {
    // Device pixels: hosts scale for the screen themselves.
    const QPixmap picked = icon.pixmap(QSize(size, size), 1.0);
    pixmaps.append(SniPixmapFromImage(picked.toImage(), size));
  }
  return pixmaps;
}

}  // namespace orvana::app
