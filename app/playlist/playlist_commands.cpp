#include "app/playlist/playlist_commands.h"

#include <QFileDialog>
#include <QScrollBar>

#include "app/playlist/add_files.h"
#include "app/playlist/delete_commands.h"
#include "app/playlist/saved_playlist.h"
#include "app/playlist/stream_address.h"
#include "app/window/wait_cursor.h"
#include "player/network/http_fetch.h"
#include "ui/browse_for_folder.h"

namespace orvana::app {
namespace {

// Qt takes each filter's patterns from its last parentheses.
// Texts translated in context "Playlist".
const char* const kOpenFilter = QT_TRANSLATE_NOOP(
    "Playlist",
    "使用可能 ファイル (*.mp1 *.mp2 *.mp3 *.m3u *.m3u8 *.pls);;MPEG audio layer - I, II, III (*.mp1 *.mp2 *.mp3);;"
    "PlayList (*.m3u *.m3u8 *.pls);;すべてのファイル (*)");
const char* const kSaveFilter =
    QT_TRANSLATE_NOOP("Playlist", "プレイリスト (*.m3u);;テキストファイル (*.txt);;すべてのファイル (*)");

QString Text(const char* source) { return QCoreApplication::translate("Playlist", source); }

std::string JoinedLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text.append(text.empty() ? "" : "\n").append(line);
  return text;
}

}  // namespace

std::vector<std::string> FileNames(const QStringList& list) {
  std::vector<std::string> names;
  names.reserve(std::size_t(list.size()));
  for (const QString& name : list) names.push_back(name.toStdString());
  return names;
}

TPlaylistCommands::TPlaylistCommands(TPlaylist& playlist, TPlaylistView& view, TMainWindowState& state,
                                     TRandom& random, QWidget& window, TWindowHooks hooks)
    : playlist_(playlist),
      view_(view),
      state_(state),
      random_(random),
      window_(window),
      hooks_(std::move(hooks)),
      webLoader_(player::FetchText, [this] {
        QMetaObject::invokeMethod(&deliveries_, [this] { webLoader_.DeliverFinished(); }, Qt::QueuedConnection);
      }) {}

void TPlaylistCommands::ChooseFiles(bool append) {
  QFileDialog dialog(&window_);
  dialog.setFileMode(QFileDialog::ExistingFiles);
  dialog.setNameFilter(Text(kOpenFilter));
  if (dialog.exec() != QDialog::Accepted) return;
  TAddResult result;
  {
    TWaitCursor wait;
    result = AddFiles(playlist_, FileNames(dialog.selectedFiles()), append, state_.checkTag, state_.totalSeconds);
  }
  hooks_.updateSongCount();
  ReadWebPlaylists(std::move(result.webPlaylists), false);
}

void TPlaylistCommands::ChooseFolder(bool append) {
  ui::TSHBrowseForFolderEx browser;
  browser.SetCaption(append ? Text(QT_TRANSLATE_NOOP("Playlist", "追加するフォルダを選択して下さい"))
                            : Text(QT_TRANSLATE_NOOP("Playlist", "開くフォルダを選択して下さい")));
  ui::TSHBrowseOptions options = browser.Options();
  browser.SetOptions(options.Include(ui::sboStatusTextAndShowPath));
  if (!browser.Execute(&window_)) return;
  {
    TWaitCursor wait;
    AddFolder(playlist_, browser.FolderPath().toStdString(), state_.subFolder, state_.checkTag, append,
              state_.totalSeconds);
  }
  hooks_.updateSongCount();
}

int TPlaylistCommands::AppendNames(const std::vector<std::string>& names, bool play) {
  TAddResult result;
  {
    TWaitCursor wait;
    result = AddFiles(playlist_, names, true, state_.checkTag, state_.totalSeconds);
  }
  if (play && result.added > 0) hooks_.playRow(playlist_.Count() - 1);
  ReadWebPlaylists(std::move(result.webPlaylists), play && result.added == 0);
  return result.added;
}

void TPlaylistCommands::AddDropped(const std::vector<std::string>& names) {
  AppendNames(names, false);
  hooks_.updateSongCount();
}

void TPlaylistCommands::OpenAddress(const std::string& address) {
  if (IsWebPlaylistAddress(address)) {
    ReadWebPlaylists({address}, true);
    return;
  }
  AddFiles(playlist_, {address}, true, false, state_.totalSeconds);
  hooks_.updateSongCount();
  const int row = playlist_.IndexOfPath(address);
  if (row >= 0) hooks_.playRow(row);
}

void TPlaylistCommands::ReadWebPlaylists(std::vector<std::string> urls, bool play) {
  if (urls.empty()) return;
  webLoader_.Load(std::move(urls), [this, play](const TWebPlaylistRead& read) { AddStations(read, play); });
}

void TPlaylistCommands::AddStations(const TWebPlaylistRead& read, bool play) {
  // Runs from the event loop: nothing may escape into it.
  try {
    if (!read.stations.empty()) {
      AddEntries(playlist_, read.stations, true, false, state_.totalSeconds);
      hooks_.updateSongCount();
      const int row = playlist_.IndexOfPath(read.stations.front().location);
      if (play && row >= 0) hooks_.playRow(row);
    }
  } catch (const std::exception& error) {
    hooks_.showError(error.what());
  }
  if (!read.failures.empty()) hooks_.showError(JoinedLines(read.failures));
}

void TPlaylistCommands::DeleteSelection(bool invert) {
  const std::vector<int> selected = view_.SelectedRows();
  if (!invert && selected.empty()) return;
  const int scroll = view_.verticalScrollBar()->value();
  if (invert) {
    DeleteUnselected(playlist_, selected, state_.totalSeconds);
  } else {
    DeleteSelected(playlist_, selected, state_.totalSeconds);
  }
  view_.verticalScrollBar()->setValue(scroll);
  hooks_.updateSongCount();
}

void TPlaylistCommands::DeleteMissing() {
  const int scroll = view_.verticalScrollBar()->value();
  {
    TWaitCursor wait;
    DeleteDead(playlist_, state_.totalSeconds);
  }
  view_.verticalScrollBar()->setValue(scroll);
  hooks_.updateSongCount();
}

void TPlaylistCommands::DeleteEverything() {
  DeleteAll(playlist_, state_.totalSeconds);
  hooks_.clearHistory();
  state_.playedList.clear();
  hooks_.updateCaption();
  hooks_.updateSongCount();
}

void TPlaylistCommands::SaveAsPlaylist() {
  QFileDialog dialog(&window_, Text(QT_TRANSLATE_NOOP("Playlist", "プレイリストを保存")));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilter(Text(kSaveFilter));
  dialog.setDefaultSuffix("m3u");
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  SavePlaylist(playlist_, dialog.selectedFiles().front().toStdString());
}

void TPlaylistCommands::Shuffle() { ApplyOrder(ShuffledOrder(playlist_.Count(), random_)); }

void TPlaylistCommands::Reverse() { ApplyOrder(ReversedOrder(playlist_.Count())); }

void TPlaylistCommands::SortByColumn(int column) {
  if (playlist_.Count() < 2) return;
  ApplyOrder(ColumnOrder(playlist_, column));
}

void TPlaylistCommands::ApplyOrder(const std::vector<int>& newOrder) {
  TWaitCursor wait;
  const int current = state_.currentIndex;
  playlist_.Reorder(newOrder);
  const int moved = IndexAfterReorder(newOrder, current);
  hooks_.setCurrentIndex(moved);
  view_.ScrollIntoView(moved);
}

}  // namespace orvana::app
