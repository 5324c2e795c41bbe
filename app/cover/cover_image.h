#pragma once
// A cover picture decoded straight to the size it is shown at: a picture
// that is no image, or whose header claims a size no cover has, decodes to
// nothing, and the full-size image is never held.
#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace orvana::app {

// Pictures claiming more pixels on a side are taken for damage.
constexpr int kCoverSideLimit = 16384;

// The picture scaled to fit `box` (kept in proportion, never enlarged); a
// null image when it cannot be decoded.
QImage DecodeScaledCover(const QByteArray& bytes, QSize box);

// The file name extension of the picture's format ("jpg", "png", "gif", ...);
// empty when the bytes are no image Qt reads.
QString CoverExtension(const QByteArray& bytes);

}  // namespace orvana::app
