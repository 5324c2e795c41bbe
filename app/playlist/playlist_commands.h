#pragma once
// The playlist's commands as the window runs them: the file and folder
// choosers, adding, dropping, deleting, saving and reordering, each followed
// by the window's bookkeeping (song count, caption, current item).
#include <QStringList>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "app/playlist/list_order.h"
#include "app/playlist/playlist.h"
#include "app/playlist/playlist_view.h"
#include "app/window/main_window_state.h"

namespace orvana::app {

// File names as Qt hands them over (dialogs, the instance server).
std::vector<std::string> FileNames(const QStringList& list);

class TPlaylistCommands {
 public:
  struct TWindowHooks {
    std::function<void()> updateSongCount;
    std::function<void()> updateCaption;
    std::function<void(int)> setCurrentIndex;
    std::function<void()> clearHistory;
  };

  TPlaylistCommands(TPlaylist& playlist, TPlaylistView& view, TMainWindowState& state, TRandom& random,
                    QWidget& window, TWindowHooks hooks);

  // actOpenFile / actAddFile, actOpenFolder / actAddFolder.
  void ChooseFiles(bool append);
  void ChooseFolder(bool append);
  // Names given to the program (its command line, a second start) or dropped
  // on the window, appended with tag reading as set. Returns how many were added.
  int AppendNames(const std::vector<std::string>& names);
  void AddDropped(const std::vector<std::string>& names);

  void DeleteSelection(bool invert);
  void DeleteMissing();
  void DeleteEverything();
  void SaveAsPlaylist();
  void Shuffle();
  void Reverse();
  void SortByColumn(int column);

 private:
  // Reorders the list, keeping the current item current and in sight.
  void ApplyOrder(const std::vector<int>& newOrder);

  TPlaylist& playlist_;
  TPlaylistView& view_;
  TMainWindowState& state_;
  TRandom& random_;
  QWidget& window_;
  TWindowHooks hooks_;
};

}  // namespace orvana::app
