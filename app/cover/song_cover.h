#pragma once
// The cover of the song heard: its picture scaled for the property tab, and
// the cache file holding its original bytes for the desktop. Only the file's
// name is kept here; the bytes and the full-size image are let go once read,
// and the scaled picture goes to whoever shows it.
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

  // Reads the cover of the song at `path`, scaled to the shown size; null
  // without one (a station, `hasFile` false, has none).
  QImage Load(const std::string& path, bool hasFile);
  void Clear();

  // The cached picture file; empty without a cover.
  const QString& File() const { return file_; }

 private:
  TCoverCache cache_;
  QSize shownSize_;
  QString file_;
};

}  // namespace orvana::app
