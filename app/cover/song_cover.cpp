#include "app/cover/song_cover.h"

#include "app/cover/cover_image.h"
#include "app/cover/cover_source.h"

namespace orvana::app {

TSongCover::TSongCover(QString cacheFolder, QSize shownSize) : cache_(std::move(cacheFolder)), shownSize_(shownSize) {}

// Nothing points to the file once the program ends.
TSongCover::~TSongCover() { Clear(); }

void TSongCover::Load(const std::string& path, bool hasFile) {
  const QByteArray bytes = hasFile ? CoverBytes(path) : QByteArray();
  image_ = bytes.isEmpty() ? QImage() : DecodeScaledCover(bytes, shownSize_);
  // Bytes that show no picture are not handed on either.
  if (!image_.isNull()) {
    file_ = cache_.Keep(bytes, CoverExtension(bytes));
  } else if (!file_.isEmpty()) {
    cache_.Clear();
    file_.clear();
  }
}

void TSongCover::Clear() {
  image_ = QImage();
  if (file_.isEmpty()) return;
  cache_.Clear();
  file_.clear();
}

}  // namespace orvana::app
