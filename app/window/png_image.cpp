#include "app/window/png_image.h"

#include <QImageReader>
#include <QPixmap>

namespace orvana::app {

QPixmap PngPixmap(const QString& path) {
  QImageReader reader(path, "png");
  reader.setAutoDetectImageFormat(false);
  return QPixmap::fromImage(reader.read());
}

QIcon PngIcon(std::initializer_list<QString> paths) {
  QIcon icon;
  for (const QString& path : paths) {
    const QPixmap pixmap = PngPixmap(path);
    if (!pixmap.isNull()) icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace orvana::app
