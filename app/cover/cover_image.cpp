#include "app/cover/cover_image.h"

#include <QBuffer>
#include <QImageReader>

namespace orvana::app {

namespace {

// Megabytes a decode may take: a limit-sized side decoded whole at 4 bytes a pixel
// is far beyond it, a real cover well within.
constexpr int kDecodeAllocationMb = 128;

}  // namespace

QImage DecodeScaledCover(const QByteArray& bytes, QSize box) {
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  reader.setAllocationLimit(kDecodeAllocationMb);
  const QSize size = reader.size();
  if (!size.isValid() || size.isEmpty() || size.width() > kCoverSideLimit || size.height() > kCoverSideLimit)
    return {};
  const QSize scaled = size.boundedTo(box) == size ? size : size.scaled(box, Qt::KeepAspectRatio);
  if (scaled.isEmpty()) return {};
  // Formats that scale while decoding (JPEG) never hold the whole picture.
  if (reader.supportsOption(QImageIOHandler::ScaledSize)) reader.setScaledSize(scaled);
  QImage image = reader.read();
  if (image.isNull()) return {};
  if (image.size() != scaled) image = image.scaled(scaled, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  return image;
}

QString CoverExtension(const QByteArray& bytes) {
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  const QByteArray format = QImageReader::imageFormat(&buffer).toLower();
  if (format == "jpeg") return QStringLiteral("jpg");
  return QString::fromLatin1(format);
}

}  // namespace orvana::app
