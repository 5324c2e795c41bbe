// The find box on its own: the arrow keys move through the matches from the
// edit, typing goes back to the first match, Enter chooses only a match, and
// the box follows the playlist while it is open without losing the user's place.
#include "app/dialogs/find_song_dialog.h"

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

#include "app/playlist/playlist_model.h"
#include "app/playlist/song_item.h"
#include "qt_test_application.h"

namespace orvana::app {
namespace {

void Key(QWidget& widget, int key, const QString& text = QString()) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(&widget, &press);
}

TEST(FindSongDialog, KeepsTheCursorOnItsSongWhileThePlaylistChanges) {
  orvana::testing::TestApplication();
  TPlaylist playlist;
  TPlaylistModel model(playlist);
  playlist.Append({ItemFromFileName("/m/intro.mp3"), ItemFromAddress("http://radio.example/", "ｵﾙｶﾞﾝ FM"),
                   ItemFromFileName("/m/パイプオルガン.mp3"), ItemFromFileName("/m/おるがん2.mp3")});
  TdlgFindSong dialog(playlist, model);
  dialog.show();
  Key(*dialog.edtFind, 0, QStringLiteral("オルガン"));
  EXPECT_EQ(dialog.lblCount->text(), QStringLiteral("3 曲"));
  Key(*dialog.edtFind, Qt::Key_Down);
  Key(*dialog.edtFind, Qt::Key_Down);
  Key(*dialog.edtFind, Qt::Key_Up);
  ASSERT_EQ(dialog.ChosenRow(), 2);

  // A song added, a station naming itself, the current song's repaint, rows
  // removed and reordered: the cursor stays on its song.
  playlist.Append({ItemFromFileName("/m/オルガン3.mp3")});
  playlist.SetCaptionByPath("http://radio.example/", "Jazz FM");
  model.SetCurrentRow(3);
  EXPECT_EQ(dialog.lstFound->model()->index(2, 0).data().toString(), QStringLiteral("オルガン3.mp3"));
  playlist.Remove({0, 1});
  playlist.Reorder({2, 1, 0});
  EXPECT_EQ(dialog.ChosenRow(), 2);
  EXPECT_EQ(dialog.lblCount->text(), QStringLiteral("3 曲"));
  // Typing goes back to the first match; its song gone, so does the cursor.
  Key(*dialog.edtFind, 0, QStringLiteral(" "));
  EXPECT_EQ(dialog.ChosenRow(), 0);
  Key(*dialog.edtFind, Qt::Key_Down);
  playlist.Remove({1});
  EXPECT_EQ(dialog.ChosenRow(), 0);

  // Enter chooses only a match.
  Key(*dialog.edtFind, 0, QStringLiteral("zzz"));
  EXPECT_FALSE(dialog.btnPlay->isEnabled());
  Key(*dialog.edtFind, Qt::Key_Return);
  EXPECT_TRUE(dialog.isVisible());
  dialog.edtFind->setText(QStringLiteral("ぱいぷ"));
  Key(*dialog.edtFind, Qt::Key_Return);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.ChosenRow(), 1);
}

}  // namespace
}  // namespace orvana::app
