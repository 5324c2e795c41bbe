#pragma once
// The delete commands. Each removes its items in one step and lowers
// `totalSeconds` by their known times, never below 0. The current index is
// the caller's and is not adjusted.
#include <vector>

#include "app/playlist/playlist.h"

namespace orvana::app {

// `selected`: indices in any order.
void DeleteSelected(TPlaylist& playlist, const std::vector<int>& selected, int& totalSeconds);
void DeleteUnselected(TPlaylist& playlist, const std::vector<int>& selected, int& totalSeconds);

// Items whose path is not an existing file (a folder is none); items without
// a path count as missing. A path that cannot be checked (no permission) is
// kept, and so are stations.
void DeleteDead(TPlaylist& playlist, int& totalSeconds);

void DeleteAll(TPlaylist& playlist, int& totalSeconds);

}  // namespace orvana::app
