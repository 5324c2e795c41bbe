#include "app/tray/xembed_image.h"

#include <bit>

namespace orvana::app {
namespace {

std::uint32_t Scale(int channel, std::uint32_t mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const std::uint32_t maximum = mask >> shift;
  return ((std::uint32_t(channel) * maximum + 127) / 255) << shift;
}

}  // namespace

int XEmbedBytesPerRow(int width, const TXEmbedPixelLayout& layout) {
  const int pad = layout.scanlinePad > 0 ? layout.scanlinePad : 8;
  const long long bits = (static_cast<long long>(width) * layout.bitsPerPixel + pad - 1) / pad * pad;
  return static_cast<int>(bits / 8);
}

std::vector<std::uint8_t> XEmbedPackPixels(const QImage& image, const TXEmbedPixelLayout& layout) {
  const int bytesPerPixel = layout.bitsPerPixel / 8;
  if (image.isNull() || layout.bitsPerPixel % 8 != 0 || bytesPerPixel < 1 || bytesPerPixel > 4) return {};
  const QImage source =
      image.convertToFormat(layout.alphaMask != 0 ? QImage::Format_ARGB32_Premultiplied : QImage::Format_ARGB32);
  const int stride = XEmbedBytesPerRow(source.width(), layout);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(stride) * source.height());
  for (int y = 0; y < source.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(source.constScanLine(y));
    std::uint8_t* out = bytes.data() + static_cast<std::size_t>(stride) * y;
    for (int x = 0; x < source.width(); ++x, out += bytesPerPixel) {
      const QRgb pixel = row[x];
      const std::uint32_t value = Scale(qRed(pixel), layout.redMask) | Scale(qGreen(pixel), layout.greenMask) |
                                  Scale(qBlue(pixel), layout.blueMask) | Scale(qAlpha(pixel), layout.alphaMask);
      for (int i = 0; i < bytesPerPixel; ++i) {
        const int shift = 8 * (layout.msbFirst ? bytesPerPixel - 1 - i : i);
        out[i] = static_cast<std::uint8_t>(value >> shift);
      }
    }
  }
  return bytes;
}

std::vector<QRect> XEmbedOpaqueRuns(const QImage& image) {
  std::vector<QRect> runs;
  const QImage source = image.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < source.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(source.constScanLine(y));
    for (int x = 0; x < source.width();) {
      if (qAlpha(row[x]) < 128) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < source.width() && qAlpha(row[x]) >= 128) ++x;
      runs.emplace_back(start, y, x - start, 1);
    }
  }
  return runs;
}

}  // namespace orvana::app
