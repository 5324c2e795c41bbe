#include "app/playlist/saved_playlist.h"

#include "app/files/atomic_file.h"
#include "player/network/network_address.h"

namespace orvana::app {
namespace {

constexpr const char* kLineEnd = "\r\n";

bool HasLineBreak(const std::string& text) { return text.find_first_of("\r\n") != std::string::npos; }

// A station's name, which only an extended list can keep.
bool HasStationTitle(const TPlaylistItem& item) {
  const std::string path(ItemPath(item));
  return player::IsNetworkAddress(path) && !item.Caption().empty() && item.Caption() != path;
}

void AppendTitleLine(std::string& text, std::string_view title) {
  std::string caption(title);
  for (char& c : caption)
    if (c == '\r' || c == '\n') c = ' ';
  text.append("#EXTINF:-1,").append(caption).append(kLineEnd);
}

}  // namespace

std::string SavedPlaylistText(const std::vector<TPlaylistItem>& items) {
  std::string text;
  bool extended = false;
  for (const TPlaylistItem& item : items) {
    const std::string path(ItemPath(item));
    // A path with a line break cannot be one line; other players would read
    // its pieces as names of their own.
    if (path.empty() || HasLineBreak(path)) continue;
    if (HasStationTitle(item)) {
      extended = true;
      AppendTitleLine(text, item.Caption());
    }
    text.append(path).append(kLineEnd);
  }
  return extended ? "#EXTM3U" + std::string(kLineEnd) + text : text;
}

void SavePlaylist(const TPlaylist& playlist, const std::string& path) {
  WriteFileAtomically(path, SavedPlaylistText(playlist.Items()));
}

}  // namespace orvana::app
