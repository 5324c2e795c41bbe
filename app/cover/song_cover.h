#pragma once
// The cover of the song heard: its picture scaled for the property tab, and
// the cache file holding its original bytes for the desktop. Only these two
// are kept; the bytes and the full-size image are let go once read.
#include <QImage>
#include <QSize>
#include <QString>
#include <string>

#include "app/cover/cover_cache.h"

namespace orvana::app {

class TSongCover {
 public:
  TSongCover(QString cacheFolder, QSize shownSize);
  ~TSongCover();
  TSongCover(const TSongCover&) = delete;
  TSongCover& operator=(const TSongCover&) = delete;

  // Reads the cover of the song at `path`; a station (`hasFile` false) has none.
  void Load(const std::string& path, bool hasFile);
  void Clear();

  // Null without a cover.
  const QImage& Image() const { return image_; }
  // The cached picture file; empty without a cover.
  const QString& File() const { return file_; }

 private:
  TCoverCache cache_;
  QSize shownSize_;
  QImage image_;
  QString file_;
};

}  // namespace orvana::app
