#pragma once
// Where a song's cover picture comes from: the picture its ID3v2 tag holds,
// else a picture file beside it (cover.jpg, folder.jpg, front.jpg,
// cover.png, in that order, the names in any case).
#include <QByteArray>
#include <QString>
#include <string>

namespace orvana::app {

// The image file's bytes, as stored; empty without a picture (a station, a
// file without one, a picture file over the size limit).
QByteArray CoverBytes(const std::string& songPath);

// The picture file beside the song that stands for its folder; empty when none.
QString FolderPicturePath(const QString& songPath);

}  // namespace orvana::app
