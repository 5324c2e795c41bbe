#include <gtest/gtest.h>

#include <QPainter>
#include <algorithm>
#include <climits>

#include "panel_bar_support.h"
#include "ui/panel_bar.h"

namespace orvana::ui {
namespace {

using namespace orvana::ui::testing;

class PanelBarPainting : public ::testing::Test {
 protected:
  void SetUp() override {
    UseTellingColours(bar);
    bar.resize(kWidth, kHeight);
  }

  // The bottom row's colours from the right edge leftwards.
  std::vector<QColor> BottomRow(int count) {
    const QImage image = Render(bar);
    std::vector<QColor> row;
    for (int i = 0; i < count; ++i) row.push_back(image.pixelColor(image.width() - 1 - i, image.height() - 1));
    return row;
  }

  static constexpr int kWidth = 60;
  static constexpr int kHeight = 20;
  ApplicationFirst application;
  TPanelBar bar;
};

TEST_F(PanelBarPainting, BevelLinesLeaveTheirEndPointsOut) {
  bar.SetShowGrip(false);
  bar.SetBevel(pbLowered);
  QImage image = Render(bar);
  const int right = kWidth - 1;
  const int bottom = kHeight - 1;
  EXPECT_EQ(image.pixelColor(right, 1), kFill) << "the top line is on row 2";
  EXPECT_EQ(image.pixelColor(0, 2), kShadow);
  EXPECT_EQ(image.pixelColor(right - 1, 2), kShadow);
  EXPECT_EQ(image.pixelColor(0, bottom - 1), kShadow);
  EXPECT_EQ(image.pixelColor(right, 2), kHighlight);
  EXPECT_EQ(image.pixelColor(0, bottom), kHighlight);
  EXPECT_EQ(image.pixelColor(right, bottom), kHighlight);

  bar.SetBevel(pbRaised);
  image = Render(bar);
  EXPECT_EQ(image.pixelColor(0, 2), kHighlight);
  EXPECT_EQ(image.pixelColor(right, bottom), kShadow);
}

TEST_F(PanelBarPainting, GripOfThirteenDrawsThreeGroupsOfFourDiagonals) {
  const std::vector<QColor> group = {kFill, kShadow, kShadow, kHighlight};
  const std::vector<QColor> row = BottomRow(14);
  for (int line = 0; line < 12; ++line) EXPECT_EQ(row[line], group[line % 4]) << "line " << line;
  EXPECT_EQ(row[12], kFill);
  // Line n runs up to the right column, n pixels above the corner.
  const QImage image = Render(bar);
  for (int line = 0; line < 12; ++line) EXPECT_EQ(image.pixelColor(kWidth - 1, kHeight - 1 - line), group[line % 4]);
  EXPECT_EQ(image.pixelColor(kWidth - 7, kHeight - 7), kFill);
}

TEST_F(PanelBarPainting, GripsBelowFiveDrawNothingAndFreeGripsFollowTheHeight) {
  bar.SetGripSize(4);
  for (const QColor& colour : BottomRow(6)) EXPECT_EQ(colour, kFill);
  bar.SetGripSize(5);
  EXPECT_EQ(BottomRow(6), std::vector<QColor>({kFill, kShadow, kShadow, kHighlight, kFill, kFill}));

  bar.SetFixedGrip(false);
  bar.resize(kWidth, 22);
  EXPECT_EQ(bar.GripExtent(), 20);
  const std::vector<QColor> row = BottomRow(30);
  EXPECT_EQ(std::count(row.begin(), row.end(), kHighlight), 4);  // (20 - 1) div 4 groups
}

TEST_F(PanelBarPainting, TextStopsBeforeTheGripAndReachesTheRightEdgeWithout) {
  bar.resize(200, 24);
  bar.SetText(QString(80, QLatin1Char('W')));
  const auto inkFrom = [&](int left) {
    const QImage image = Render(bar);
    int ink = 0;
    for (int x = left; x < image.width(); ++x)
      for (int y = 0; y < image.height(); ++y) ink += IsInk(image.pixelColor(x, y));
    return ink;
  };
  EXPECT_GT(inkFrom(100), 0);
  EXPECT_EQ(inkFrom(200 - 13), 0);
  bar.SetShowGrip(false);
  EXPECT_GT(inkFrom(200 - 13), 0);
}

TEST_F(PanelBarPainting, OnDrawPanelReplacesAllPainting) {
  bar.SetBevel(pbLowered);
  bar.SetText(QStringLiteral("hidden"));
  bar.SetOnDrawPanel([](TPanelBar& panel, QPainter& painter) { painter.fillRect(panel.rect(), Qt::magenta); });
  const QImage image = Render(bar);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) ASSERT_EQ(image.pixelColor(x, y), QColor(Qt::magenta)) << x << "," << y;
}

TEST_F(PanelBarPainting, ExtremeSettingsPaintWithoutHarm) {
  bar.SetBevel(pbLowered);
  bar.SetText(QStringLiteral("text\nwith a break"));
  for (int gripSize : {INT_MIN, 0, 1000, INT_MAX})
    for (int margin : {INT_MIN, 0, INT_MAX})
      for (QSize size : {QSize(1, 1), QSize(5, 3), QSize(40, 5)}) {
        bar.SetGripSize(gripSize);
        bar.SetMargin(margin);
        bar.resize(size);
        EXPECT_EQ(Render(bar).size(), size);
        EXPECT_GE(bar.GripExtent(), 0);
      }
}

}  // namespace
}  // namespace orvana::ui
