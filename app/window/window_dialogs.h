#pragma once
// The main window's dialogs that read and change its state: the settings
// dialog (actOptions), the tag information of a playlist item (actFileInfo),
// the address of a station to open (actOpenUrl), the find box (actFindSong)
// and the first-run dialog at start-up. Each dialog is made when needed,
// shown through the window's runner, read back only on OK and freed at once.
#include <functional>
#include <optional>
#include <string>

#include "app/playlist/playlist.h"
#include "app/window/main_window_state.h"
#include "player/mp3_player.h"
#include "ui/dialog_runner.h"

class QAbstractItemModel;
class QTimer;
class QWidget;

namespace orvana::app {

class TWindowDialogs {
 public:
  // `run` is read at each use, so the owner may replace its runner later.
  TWindowDialogs(QWidget& owner, TMainWindowState& state, player::TMP3Player& player, QTimer& timClick,
                 const ui::TDialogRunner& run, std::function<void()> applyListFont);

  // Nothing is written to the settings file: the window writes it at exit.
  void Options();
  // Does nothing for a file that is gone.
  void FileInfo(const std::string& path);
  // The station's address typed, once OK is pressed.
  std::optional<std::string> AskStationAddress();
  // The playlist row chosen in the find box; none when it was closed.
  // `listModel` announces the playlist's changes while the box is open.
  std::optional<int> FindSong(const TPlaylist& playlist, const QAbstractItemModel& listModel);
  // Writes "First" as the dialog's box says; throws when the file cannot
  // be written.
  void FirstRun(const std::string& settingsPath);

 private:
  QWidget& owner_;
  TMainWindowState& state_;
  player::TMP3Player& player_;
  QTimer& timClick_;
  const ui::TDialogRunner& run_;
  std::function<void()> applyListFont_;
};

}  // namespace orvana::app
