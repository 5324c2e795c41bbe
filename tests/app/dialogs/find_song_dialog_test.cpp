// The find box on its own: typing narrows the matches, the arrow keys move
// through them from the edit, Enter chooses, and the box follows the
// playlist's changes while it is open without losing the user's place.
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

QStringList Shown(const TdlgFindSong& dialog) {
  QStringList texts;
  const QAbstractItemModel& model = *dialog.lstFound->model();
  for (int row = 0; row < model.rowCount(); ++row) texts << model.index(row, 0).data().toString();
  return texts;
}

class FindSongDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    orvana::testing::TestApplication();
    playlist.Append({ItemFromFileName("/m/intro.mp3"), ItemFromAddress("http://radio.example/", "ｵﾙｶﾞﾝ FM"),
                     ItemFromFileName("/m/パイプオルガン.mp3"), ItemFromFileName("/m/おるがん2.mp3")});
    TPlaylistItem withArtist = playlist.Item(2);
    withArtist.subItems[siArtist] = "Bach";
    playlist.SetItem(2, withArtist);
  }

  TPlaylist playlist;
  TPlaylistModel model{playlist};
};

TEST_F(FindSongDialog, TypingNarrowsTheArrowsMoveAndEnterChooses) {
  TdlgFindSong dialog(playlist, model);
  dialog.show();
  EXPECT_EQ(Shown(dialog).size(), 4);  // nothing typed: every song
  Key(*dialog.edtFind, 0, QStringLiteral("オルガン"));
  EXPECT_EQ(Shown(dialog), (QStringList{"ｵﾙｶﾞﾝ FM", "パイプオルガン.mp3 - Bach", "おるがん2.mp3"}));
  EXPECT_EQ(dialog.lblCount->text(), QStringLiteral("3 曲"));
  EXPECT_EQ(dialog.ChosenRow(), 1);

  Key(*dialog.edtFind, Qt::Key_Down);
  Key(*dialog.edtFind, Qt::Key_Down);
  EXPECT_EQ(dialog.ChosenRow(), 3);
  Key(*dialog.edtFind, Qt::Key_Up);
  EXPECT_EQ(dialog.ChosenRow(), 2);
  // Typing again starts from the first match.
  Key(*dialog.edtFind, 0, QStringLiteral(" "));
  EXPECT_EQ(dialog.ChosenRow(), 1);

  // Nothing matches: Enter does nothing.
  Key(*dialog.edtFind, 0, QStringLiteral("zzz"));
  EXPECT_FALSE(dialog.btnPlay->isEnabled());
  Key(*dialog.edtFind, Qt::Key_Return);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.ChosenRow(), -1);

  dialog.edtFind->setText(QStringLiteral("bach"));
  Key(*dialog.edtFind, Qt::Key_Return);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.ChosenRow(), 2);
}

TEST_F(FindSongDialog, FollowsThePlaylistWhileOpen) {
  TdlgFindSong dialog(playlist, model);
  dialog.edtFind->setText(QStringLiteral("おるがん"));
  Key(*dialog.edtFind, Qt::Key_Down);
  ASSERT_EQ(dialog.ChosenRow(), 2);

  // A song added, a station naming itself, the current song's repaint.
  playlist.Append({ItemFromFileName("/m/オルガン3.mp3")});
  playlist.SetCaptionByPath("http://radio.example/", "Jazz FM");
  model.SetCurrentRow(3);
  EXPECT_EQ(Shown(dialog), (QStringList{"パイプオルガン.mp3 - Bach", "おるがん2.mp3", "オルガン3.mp3"}));
  EXPECT_EQ(dialog.ChosenRow(), 2);  // still the song the user moved to

  // Rows that move under the cursor: it stays on its song.
  playlist.Remove({0, 1});
  EXPECT_EQ(dialog.ChosenRow(), 0);
  playlist.Reorder({2, 1, 0});
  EXPECT_EQ(dialog.ChosenRow(), 2);
  EXPECT_EQ(dialog.lblCount->text(), QStringLiteral("3 曲"));

  // Its song gone, the cursor goes to the first match.
  playlist.Remove({2});
  EXPECT_EQ(dialog.ChosenRow(), 0);
  playlist.Clear();
  EXPECT_EQ(dialog.ChosenRow(), -1);
  EXPECT_FALSE(dialog.btnPlay->isEnabled());
}

}  // namespace
}  // namespace orvana::app
