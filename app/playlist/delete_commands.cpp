#include "app/playlist/delete_commands.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>

#include "app/playlist/time_text.h"
#include "player/network/network_address.h"

namespace orvana::app {
namespace {

void DeleteItems(TPlaylist& playlist, std::vector<int> indices, int& totalSeconds) {
  for (const int index : indices) {
    if (!playlist.ValidIndex(index)) continue;
    const int seconds = ParseTimeText(playlist.Item(index).Column(siTime + 1));
    totalSeconds = std::max(totalSeconds - seconds, 0);
  }
  playlist.Remove(std::move(indices));
}

bool IsMissingFile(const std::string& path) {
  // A station is no file: deleting missing files keeps it.
  if (player::IsNetworkAddress(path)) return false;
  struct stat status {};
  if (::stat(path.c_str(), &status) == 0) return S_ISDIR(status.st_mode);
  return errno == ENOENT || errno == ENOTDIR || errno == ENAMETOOLONG;
}

std::vector<bool> SelectionMask(int count, const std::vector<int>& selected) {
  std::vector<bool> mask(static_cast<std::size_t>(count), false);
  for (const int index : selected)
    if (index >= 0 && index < count) mask[static_cast<std::size_t>(index)] = true;
  return mask;
}

}  // namespace

void DeleteSelected(TPlaylist& playlist, const std::vector<int>& selected, int& totalSeconds) {
  std::vector<int> indices = selected;
  std::sort(indices.begin(), indices.end());
  indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
  DeleteItems(playlist, std::move(indices), totalSeconds);
}

void DeleteUnselected(TPlaylist& playlist, const std::vector<int>& selected, int& totalSeconds) {
  const std::vector<bool> isSelected = SelectionMask(playlist.Count(), selected);
  std::vector<int> indices;
  for (int i = 0; i < playlist.Count(); ++i)
    if (!isSelected[static_cast<std::size_t>(i)]) indices.push_back(i);
  DeleteItems(playlist, std::move(indices), totalSeconds);
}

void DeleteDead(TPlaylist& playlist, int& totalSeconds) {
  std::vector<int> indices;
  for (int i = 0; i < playlist.Count(); ++i)
    if (IsMissingFile(std::string(ItemPath(playlist.Item(i))))) indices.push_back(i);
  DeleteItems(playlist, std::move(indices), totalSeconds);
}

void DeleteAll(TPlaylist& playlist, int& totalSeconds) {
  playlist.Clear();
  totalSeconds = 0;
}

}  // namespace orvana::app
