#include "app/window/window_dialogs.h"

#include <malloc.h>

#include <QFontInfo>
#include <QTimer>

#include "app/dialogs/config_dialog.h"
#include "app/dialogs/file_info.h"
#include "app/dialogs/find_song_dialog.h"
#include "app/dialogs/first_run_dialog.h"
#include "app/dialogs/open_url_dialog.h"
#include "app/settings/program_settings.h"
#include "app/window/japanese_fonts.h"

namespace orvana::app {

TWindowDialogs::TWindowDialogs(QWidget& owner, TMainWindowState& state, player::TMP3Player& player, QTimer& timClick,
                               const ui::TDialogRunner& run, std::function<void()> applyListFont)
    : owner_(owner),
      state_(state),
      player_(player),
      timClick_(timClick),
      run_(run),
      applyListFont_(std::move(applyListFont)) {}

void TWindowDialogs::Options() {
  TConfigValues values;
  values.subFolder = state_.subFolder;
  values.checkTag = state_.checkTag;
  values.fontName = QString::fromStdString(state_.listFont.name);
  values.drawnFontName = QFontInfo(ToQFont(state_.listFont)).family();
  values.fontSize = state_.listFont.size;
  values.priority = player_.DecodePriority();
  values.clickWait = timClick_.interval();
  values.clickFunctions = state_.clickFunctions;
  values.language = state_.language;

  TdlgConfig dialog(&owner_);
  dialog.Fill(values);
  if (run_(dialog) != QDialog::Accepted) return;
  values = dialog.Values();
  state_.subFolder = values.subFolder;
  state_.checkTag = values.checkTag;
  state_.language = values.language;
  // A stored face that is not installed selects nothing: the list keeps
  // its face rather than losing it to an empty name.
  if (!values.fontName.isEmpty()) state_.listFont.name = values.fontName.toStdString();
  state_.listFont.size = values.fontSize;
  applyListFont_();
  player_.SetDecodePriority(player::TThreadPriority(values.priority));
  timClick_.setInterval(values.clickWait);
  state_.clickFunctions = values.clickFunctions;
}

void TWindowDialogs::FileInfo(const std::string& path) { ShowFileInfo(path, owner_, run_); }

std::optional<std::string> TWindowDialogs::AskStationAddress() {
  TdlgOpenUrl dialog(&owner_);
  if (run_(dialog) != QDialog::Accepted) return std::nullopt;
  return dialog.Address();
}

std::optional<int> TWindowDialogs::FindSong(const TPlaylist& playlist, const QAbstractItemModel& listModel) {
  std::optional<int> chosen;
  {
    TdlgFindSong dialog(playlist, listModel, &owner_);
    if (run_(dialog) == QDialog::Accepted && dialog.ChosenRow() >= 0) chosen = dialog.ChosenRow();
  }
  // The folded copies of every item go back to the system, not only to the
  // heap: the box adds nothing to the idle program.
  ::malloc_trim(0);
  return chosen;
}

void TWindowDialogs::FirstRun(const std::string& settingsPath) {
  TdlgFirst dialog(&owner_);
  run_(dialog);
  WriteFirstRunSetting(settingsPath, dialog.ShowAgain());
}

}  // namespace orvana::app
