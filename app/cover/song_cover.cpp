#include "app/cover/song_cover.h"

#include "app/cover/cover_image.h"
#include "app/cover/cover_source.h"

namespace orvana::app {

TSongCover::TSongCover(QString cacheFolder, QSize shownSize) : cache_(std::move(cacheFolder)), shownSize_(shownSize) {}

// Nothing points to the file once the program ends.
TSongCover::~TSongCover() { Clear(); }

QImage TSongCover::Load(const std::string& path, bool hasFile) {
  const QByteArray bytes = hasFile ? CoverBytes(path) : QByteArray();
  QImage image = bytes.isEmpty() ? QImage() : DecodeScaledCover(bytes, shownSize_);
  // Bytes that show no picture are not handed on either.
  if (image.isNull()) {
    Clear();
  } else {
    file_ = cache_.Keep(bytes, CoverExtension(bytes));
  }
  return image;
}

void TSongCover::Clear() {
  if (file_.isEmpty()) return;
  cache_.Clear();
  file_.clear();
}

}  // namespace orvana::app
