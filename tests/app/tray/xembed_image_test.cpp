#include "app/tray/xembed_image.h"

#include <gtest/gtest.h>

#include <vector>

namespace orvana::app {
namespace {

using TBytes = std::vector<std::uint8_t>;

QImage TwoPixels(QRgb left, QRgb right) {
  QImage image(2, 1, QImage::Format_ARGB32);
  image.setPixel(0, 0, left);
  image.setPixel(1, 0, right);
  return image;
}

TEST(XEmbedImage, TrueColourWithoutAlphaKeepsTheColoursOfHalfTransparentPixels) {
  const TXEmbedPixelLayout layout;  // 24-bit depth in 32-bit pixels, least significant byte first
  EXPECT_EQ(XEmbedPackPixels(TwoPixels(qRgba(0x12, 0x34, 0x56, 0xFF), qRgba(0xFF, 0x00, 0x80, 0x80)), layout),
            (TBytes{0x56, 0x34, 0x12, 0x00, 0x80, 0x00, 0xFF, 0x00}));
}

TEST(XEmbedImage, AlphaVisualGetsPremultipliedPixels) {
  TXEmbedPixelLayout layout;
  layout.alphaMask = 0xFF000000;
  layout.msbFirst = true;
  EXPECT_EQ(XEmbedPackPixels(TwoPixels(qRgba(0xFF, 0x00, 0x80, 0x80), qRgba(1, 2, 3, 0)), layout),
            (TBytes{0x80, 0x80, 0x00, 0x40, 0x00, 0x00, 0x00, 0x00}));
}

TEST(XEmbedImage, SixteenBitPixelsScaleEachChannelAndPadTheRow) {
  TXEmbedPixelLayout layout;
  layout.bitsPerPixel = 16;
  layout.redMask = 0xF800;
  layout.greenMask = 0x07E0;
  layout.blueMask = 0x001F;
  // 3 pixels of 16 bits padded to 32-bit rows: 8 bytes a row.
  QImage image(3, 2, QImage::Format_ARGB32);
  image.fill(qRgb(0xFF, 0x80, 0x00));
  image.setPixel(2, 1, qRgb(0x00, 0x00, 0xFF));
  ASSERT_EQ(XEmbedBytesPerRow(3, layout), 8);
  const TBytes bytes = XEmbedPackPixels(image, layout);
  ASSERT_EQ(bytes.size(), 16u);
  // 0xFF → 31, 0x80 → 32 (rounded), 0x00 → 0: 0xFC00.
  EXPECT_EQ(bytes[0], 0x00);
  EXPECT_EQ(bytes[1], 0xFC);
  EXPECT_EQ(bytes[12], 0x1F);
  EXPECT_EQ(bytes[13], 0x00);
  EXPECT_EQ(bytes[6], 0x00);  // padding
}

TEST(XEmbedImage, TwentyFourBitPixelsAndUnknownDepths) {
  TXEmbedPixelLayout layout;
  layout.bitsPerPixel = 24;
  EXPECT_EQ(XEmbedBytesPerRow(2, layout), 8);
  EXPECT_EQ(XEmbedPackPixels(TwoPixels(qRgb(1, 2, 3), qRgb(4, 5, 6)), layout),
            (TBytes{3, 2, 1, 6, 5, 4, 0, 0}));
  layout.bitsPerPixel = 0;
  EXPECT_TRUE(XEmbedPackPixels(TwoPixels(0, 0), layout).empty());
  layout.bitsPerPixel = 4;
  EXPECT_TRUE(XEmbedPackPixels(TwoPixels(0, 0), layout).empty());
  EXPECT_TRUE(XEmbedPackPixels(QImage(), TXEmbedPixelLayout{}).empty());
}

TEST(XEmbedImage, OpaqueRunsCoverExactlyThePixelsAtLeastHalfOpaque) {
  QImage image(6, 3, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  image.setPixel(0, 0, qRgba(0, 0, 0, 128));  // half: drawn
  image.setPixel(1, 0, qRgba(0, 0, 0, 127));  // less: background
  for (int x = 2; x < 6; ++x) image.setPixel(x, 0, qRgba(9, 9, 9, 255));
  image.setPixel(3, 0, qRgba(9, 9, 9, 10));
  image.setPixel(5, 2, qRgb(1, 1, 1));
  EXPECT_EQ(XEmbedOpaqueRuns(image),
            (std::vector<QRect>{QRect(0, 0, 1, 1), QRect(2, 0, 1, 1), QRect(4, 0, 2, 1), QRect(5, 2, 1, 1)}));
  QImage empty(4, 4, QImage::Format_ARGB32);
  empty.fill(Qt::transparent);
  EXPECT_TRUE(XEmbedOpaqueRuns(empty).empty());
}

}  // namespace
}  // namespace orvana::app
