#include "app/cover/cover_source.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "player/id3v2_picture.h"

namespace orvana::app {

namespace {

// In order of preference.
const char* const kFolderPictureNames[] = {"cover.jpg", "folder.jpg", "front.jpg", "cover.png"};

QByteArray ReadPictureFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly) || file.size() > player::kID3v2PictureLimit) return {};
  return file.readAll();
}

}  // namespace

QString FolderPicturePath(const QString& songPath) {
  const QFileInfo song(songPath);
  const QStringList files = song.dir().entryList(QDir::Files | QDir::Readable);
  for (const char* name : kFolderPictureNames)
    for (const QString& file : files)
      if (file.compare(QLatin1String(name), Qt::CaseInsensitive) == 0) return song.dir().filePath(file);
  return {};
}

QByteArray CoverBytes(const std::string& songPath) {
  if (const auto picture = player::ReadID3v2PictureOfFile(songPath))
    return QByteArray(picture->bytes.data(), static_cast<qsizetype>(picture->bytes.size()));
  const QString folderPicture = FolderPicturePath(QString::fromStdString(songPath));
  return folderPicture.isEmpty() ? QByteArray() : ReadPictureFile(folderPicture);
}

}  // namespace orvana::app
