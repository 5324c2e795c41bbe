#pragma once
// Songs and pictures for the cover tests: a picture made by Qt, and a song
// whose ID3v2.3 tag carries it as its front cover.
#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <string>

namespace orvana::app::testing {

// A `width` × `height` picture in `format` ("PNG", "JPEG"), two colours so
// that a picture turned or mirrored would not compare equal.
inline QByteArray PictureBytes(int width, int height, const char* format = "PNG") {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::darkBlue);
  for (int y = 0; y < height / 3; ++y)
    for (int x = 0; x < width / 4; ++x) image.setPixel(x, y, qRgb(250, 200, 0));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format);
  return bytes;
}

// `audio` behind an ID3v2.3 tag with a title, an artist and `picture` (unless empty) as an APIC front cover.
inline std::string SongWithCover(const std::string& audio, const QByteArray& picture, const std::string& title,
                                 const std::string& mime = "image/png", const std::string& artist = "Artist") {
  auto frame = [](const std::string& id, const std::string& body) {
    const auto size = static_cast<std::uint32_t>(body.size());
    return id + std::string{char(size >> 24), char(size >> 16), char(size >> 8), char(size)} + std::string(2, '\0') +
           body;
  };
  const std::string apic = std::string(1, '\0') + mime + '\0' + '\x03' + "front" + '\0' + picture.toStdString();
  std::string frames = frame("TIT2", std::string(1, '\0') + title) + frame("TPE1", std::string(1, '\0') + artist);
  if (!picture.isEmpty()) frames += frame("APIC", apic);
  const auto size = static_cast<std::uint32_t>(frames.size());
  const std::string header = std::string("ID3\x03\x00\x00", 6) +
                             std::string{char(size >> 21 & 127), char(size >> 14 & 127), char(size >> 7 & 127),
                                         char(size & 127)};
  return header + frames + audio;
}

}  // namespace orvana::app::testing
