#pragma once
// An icon's picture as the bytes of an X image in a window's own pixel
// format, and the parts of it opaque enough to draw where the window has no
// alpha channel (there the tray's background shows through the rest).
#include <QImage>
#include <QRect>
#include <cstdint>
#include <vector>

namespace orvana::app {

struct TXEmbedPixelLayout {
  int bitsPerPixel = 32;  // 8, 16, 24 or 32
  int scanlinePad = 32;   // each row's length rounds up to this many bits
  std::uint32_t redMask = 0xFF0000;
  std::uint32_t greenMask = 0x00FF00;
  std::uint32_t blueMask = 0x0000FF;
  std::uint32_t alphaMask = 0;  // none: the colours stay unpremultiplied
  bool msbFirst = false;        // the server's image byte order
};

int XEmbedBytesPerRow(int width, const TXEmbedPixelLayout& layout);
// Rows top to bottom, each XEmbedBytesPerRow long; empty for an unknown depth.
std::vector<std::uint8_t> XEmbedPackPixels(const QImage& image, const TXEmbedPixelLayout& layout);
// Runs of pixels at least half opaque, one row high, left to right and top
// to bottom.
std::vector<QRect> XEmbedOpaqueRuns(const QImage& image);

}  // namespace orvana::app
