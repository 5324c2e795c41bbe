#pragma once
// The playlist's commands as the window runs them: the file and folder
// choosers, adding, dropping, opening a station, deleting, saving and
// reordering, each followed by the window's bookkeeping (song count,
// caption, current item). Playlists on the web are read on a worker thread;
// their stations join the list on the window's thread once they come.
#include <QObject>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "app/playlist/list_order.h"
#include "app/playlist/playlist.h"
#include "app/playlist/playlist_view.h"
#include "app/playlist/web_playlist_loader.h"
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
    std::function<void(int)> playRow;  // as a double click on the row
    std::function<void(const std::string&)> showError;
  };

  TPlaylistCommands(TPlaylist& playlist, TPlaylistView& view, TMainWindowState& state, TRandom& random,
                    QWidget& window, TWindowHooks hooks);

  // actOpenFile / actAddFile, actOpenFolder / actAddFolder.
  void ChooseFiles(bool append);
  void ChooseFolder(bool append);
  // Names given to the program (its command line, a second start) or dropped
  // on the window, appended with tag reading as set; with `play` the last
  // one added plays. Returns how many were added at once: the stations of
  // playlists on the web among them come later, and with `play` the first
  // of them plays then if nothing has been played for these names.
  int AppendNames(const std::vector<std::string>& names, bool play);
  void AddDropped(const std::vector<std::string>& names);
  // A station's address (the URL dialog, the media controls): appended
  // unless listed, and played; of a playlist on the web, its first station.
  void OpenAddress(const std::string& address);

  // What fetches playlists on the web from now on (a fake in tests).
  void SetFetchText(TFetchText fetch) { webLoader_.SetFetch(std::move(fetch)); }
  // Playlists on the web being read.
  int WebReadsPending() const { return webLoader_.Pending(); }

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
  void ReadWebPlaylists(std::vector<std::string> urls, bool play);
  void AddStations(const TWebPlaylistRead& read, bool play);

  TPlaylist& playlist_;
  TPlaylistView& view_;
  TMainWindowState& state_;
  TRandom& random_;
  QWidget& window_;
  TWindowHooks hooks_;
  // Results of the worker threads wait here for the window's thread. It
  // outlives the loader: what was posted to it goes with it.
  QObject deliveries_;
  TWebPlaylistLoader webLoader_;
};

}  // namespace orvana::app
