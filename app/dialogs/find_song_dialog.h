#pragma once
// TdlgFindSong: the find box. What is typed picks the playlist's items that
// hold every word (TPlaylistFinder); Enter, the play button or a double
// click chooses the match under the cursor (the first one until the arrow
// keys move it), Esc closes. The playlist and its view are only read: the
// window plays the chosen row once the box has closed. The box follows the
// playlist's changes while it is open, through the list's model.
#include <QDialog>
#include <string>

#include "app/dialogs/found_songs_model.h"
#include "app/playlist/playlist_finder.h"

class QAbstractItemModel;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;

namespace orvana::app {

class TdlgFindSong : public QDialog {
  Q_OBJECT

 public:
  TdlgFindSong(const TPlaylist& playlist, const QAbstractItemModel& listModel, QWidget* parent = nullptr);

  // The playlist row of the match chosen; -1 when there is none.
  int ChosenRow() const;

  QLineEdit* edtFind;
  QListView* lstFound;
  QLabel* lblCount;
  QPushButton* btnPlay;
  QPushButton* btnClose;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FollowListChanges(const QAbstractItemModel& listModel);
  // Finds again. The cursor goes to the first match, or stays on its item
  // when that still matches and `keepCursor` (the playlist changed).
  void ShowMatches(bool keepCursor);

  const TPlaylist& playlist_;
  TPlaylistFinder finder_;
  TFoundSongsModel* found_;
  // The item under the cursor, by path: row numbers do not survive a change
  // of the playlist.
  std::string cursorPath_;
};

}  // namespace orvana::app
