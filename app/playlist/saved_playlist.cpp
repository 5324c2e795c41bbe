#include "app/playlist/saved_playlist.h"

#include "app/files/atomic_file.h"

namespace orvana::app {

std::string SavedPlaylistText(const std::vector<TPlaylistItem>& items) {
  std::string text;
  for (const TPlaylistItem& item : items) {
    const std::string& path = ItemPath(item);
    // A path with a line break cannot be one line; other players would read
    // its pieces as names of their own.
    if (path.empty() || path.find_first_of("\r\n") != std::string::npos) continue;
    text += path;
    text += "\r\n";
  }
  return text;
}

void SavePlaylist(const TPlaylist& playlist, const std::string& path) {
  WriteFileAtomically(path, SavedPlaylistText(playlist.Items()));
}

}  // namespace orvana::app
