// The texts the window shows about itself, and where dialogs open.
#include <gtest/gtest.h>

#include <QDialog>
#include <QTimer>

#include "app/window/now_playing_text.h"
#include "app/window/play_history.h"
#include "app/window/seek_bar.h"
#include "app/window/show_centered.h"
#include "app/window/window_caption.h"
#include "qt_test_application.h"

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

TEST(NowPlayingText, AudioPropertiesWithAndWithoutMinutes) {
  EXPECT_EQ(AudioPropertiesText(205000, 3, 128000, 44100), "3min 25sec / Layer 3, 128KBit 44100Hz");
  EXPECT_EQ(AudioPropertiesText(45999, 3, 128000, 44100), "45sec / Layer 3, 128KBit 44100Hz");
  EXPECT_EQ(AudioPropertiesText(60000, 2, 192000, 48000), "1min 0sec / Layer 2, 192KBit 48000Hz");
  EXPECT_EQ(AudioPropertiesText(10LL * 3600 * 1000, 1, 448000, 32000), "600min 0sec / Layer 1, 448KBit 32000Hz");
  EXPECT_EQ(AudioPropertiesText(0, 3, 128000, 44100), "");
  EXPECT_EQ(AudioPropertiesText(1, 3, 0, 8000), "0sec / Layer 3, 0KBit 8000Hz");
}

TEST(NowPlayingText, AlbumTrackAndDuration) {
  EXPECT_EQ(AlbumText("Disc", "5"), "Disc / Track 5");
  EXPECT_EQ(AlbumText("", "12"), " / Track 12");
  EXPECT_EQ(AlbumText("Disc", ""), "Disc");
  EXPECT_EQ(AlbumText("Disc", "0"), "Disc");
  EXPECT_EQ(DurationText(205999), "03:25");
  EXPECT_EQ(DurationText(6000000), "100:00");
}

TEST(NowPlayingText, HistoryEntriesSplitAtTheFirstBar) {
  EXPECT_EQ(HistoryPath("/m/a.mp3|Song"), "/m/a.mp3");
  EXPECT_EQ(HistoryCaption("/m/a.mp3|Song|B"), "Song|B");
  EXPECT_EQ(HistoryPath("/m/a.mp3"), "/m/a.mp3");
  EXPECT_EQ(HistoryCaption("/m/a.mp3"), "");
}

TEST(SeekBar, PositionUnderTheCursorWithoutOverflow) {
  const std::int64_t hour = 3600000;
  EXPECT_EQ(PositionAt(200, 400, hour), hour / 2);
  EXPECT_EQ(PositionAt(0, 400, hour), 0);
  EXPECT_EQ(PositionAt(399, 400, 1000), 997);  // integer division
  EXPECT_EQ(PositionAt(3000, 4000, 2147483647), 1610612735);
  EXPECT_EQ(PositionAt(10, 0, hour), 0);
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

TEST(ShowCentered, AnOpenDialogComesToTheFrontInsteadOfASecond) {
  orvana::testing::TestApplication();
  QWidget window;
  QDialog open;
  open.setModal(true);
  open.show();
  QDialog second;
  bool shown = false;
  QObject::connect(&second, &QDialog::finished, [&shown] { shown = true; });
  QTimer::singleShot(0, &second, [&second] { second.accept(); });  // would end a nested loop, were it run
  EXPECT_EQ(ShowCentered(second, window), QDialog::Rejected);
  EXPECT_FALSE(shown);
  open.hide();
  EXPECT_EQ(ShowCentered(second, window), QDialog::Accepted);
}

}  // namespace
}  // namespace orvana::app
