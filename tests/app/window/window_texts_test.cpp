// The texts the window shows about itself, and where dialogs open.
#include <gtest/gtest.h>

#include "app/window/show_centered.h"
#include "app/window/window_caption.h"

namespace orvana::app {
namespace {

TEST(WindowCaption, StateSuffixesAndAnEmptyTitle) {
  EXPECT_EQ(WindowCaption("", player::msStopped), "Orvana -  <停止中>");
  EXPECT_EQ(WindowCaption("夜の歌", player::msPlaying), "Orvana - 夜の歌 <再生中>");
  EXPECT_EQ(WindowCaption("a", player::msPaused), "Orvana - a <一時停止>");
}

TEST(WindowCaption, TotalTimeKeepsTwoDigitsAndRunsPastThem) {
  EXPECT_EQ(TotalTimeText(0), "総演奏時間: 00:00");
  EXPECT_EQ(TotalTimeText(205), "総演奏時間: 03:25");
  EXPECT_EQ(TotalTimeText(7384), "総演奏時間: 123:04");
  EXPECT_EQ(TotalTimeText(2147483647), "総演奏時間: 35791394:07");
  EXPECT_EQ(SongCountText(0), "0 曲");
  EXPECT_EQ(SongCountText(10000), "10000 曲");
}

TEST(ShowCentered, CentredOnTheWindowAndKeptOnTheScreen) {
  const QSize screen(1024, 768);
  EXPECT_EQ(CenteredPosition({100, 100, 400, 300}, {200, 100}, screen), QPoint(200, 200));
  // Never above or left of the screen's origin.
  EXPECT_EQ(CenteredPosition({-300, -300, 100, 100}, {200, 100}, screen), QPoint(0, 0));
  // Pulled back from the right and bottom edges.
  EXPECT_EQ(CenteredPosition({900, 700, 300, 300}, {200, 100}, screen), QPoint(824, 668));
  // A dialog larger than the screen keeps its title bar on it.
  EXPECT_EQ(CenteredPosition({0, 0, 100, 100}, {2000, 1000}, screen), QPoint(0, 0));
}

}  // namespace
}  // namespace orvana::app
