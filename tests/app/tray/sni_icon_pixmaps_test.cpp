// Turning an icon into the pictures an item hands to hosts.
#include "app/tray/sni_icon_pixmaps.h"

#include <gtest/gtest.h>

#include <QPixmap>

#include "qt_test_application.h"

namespace orvana::app {
namespace {

// Pixel (x, y) of a picture as A, R, G, B.
std::array<int, 4> Pixel(const TSniPixmap& pixmap, int x, int y) {
  const auto* at = reinterpret_cast<const uchar*>(pixmap.argb.constData()) + (y * pixmap.width + x) * 4;
  return {at[0], at[1], at[2], at[3]};
}

class SniIconPixmapsTest : public ::testing::Test {
 protected:
  void SetUp() override { orvana::testing::TestApplication(); }
};

TEST_F(SniIconPixmapsTest, ANullIconHasNoPictures) { EXPECT_TRUE(SniIconPixmaps(QIcon()).isEmpty()); }

TEST_F(SniIconPixmapsTest, ASmallIconIsScaledUpToEverySize) {
  QPixmap small(8, 8);
  small.fill(QColor(1, 2, 3));
  const TSniPixmapList pixmaps = SniIconPixmaps(QIcon(small));
  ASSERT_EQ(pixmaps.size(), 5);
  for (const TSniPixmap& pixmap : pixmaps) {
    EXPECT_EQ(pixmap.width, pixmap.height);
    EXPECT_EQ(pixmap.argb.size(), pixmap.width * pixmap.height * 4);
    EXPECT_EQ(Pixel(pixmap, pixmap.width - 1, pixmap.height - 1), (std::array<int, 4>{255, 1, 2, 3}));
  }
}

TEST_F(SniIconPixmapsTest, AWideImageIsCentredOnATransparentSquare) {
  QImage wide(32, 16, QImage::Format_ARGB32);
  wide.fill(QColor(200, 0, 0));
  const TSniPixmap pixmap = SniPixmapFromImage(wide, 16);
  ASSERT_EQ(pixmap.argb.size(), 16 * 16 * 4);
  EXPECT_EQ(Pixel(pixmap, 8, 0)[0], 0);  // above: transparent
  EXPECT_EQ(Pixel(pixmap, 8, 15)[0], 0);  // below
  EXPECT_EQ(Pixel(pixmap, 0, 8), (std::array<int, 4>{255, 200, 0, 0}));
  EXPECT_EQ(Pixel(pixmap, 15, 8), (std::array<int, 4>{255, 200, 0, 0}));
}

TEST_F(SniIconPixmapsTest, TranslucentPixelsAreNotPremultiplied) {
  QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
  image.fill(QColor(200, 100, 40, 128));
  const std::array<int, 4> pixel = Pixel(SniPixmapFromImage(image, 16), 5, 5);
  EXPECT_EQ(pixel[0], 128);
  EXPECT_NEAR(pixel[1], 200, 2);
  EXPECT_NEAR(pixel[2], 100, 2);
  EXPECT_NEAR(pixel[3], 40, 2);
}

}  // namespace
}  // namespace orvana::app
