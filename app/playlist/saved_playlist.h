#pragma once
// A playlist saved for other players: one full path a line, ending in CR LF,
// in list order, whatever the file's extension. Items without a path, and
// paths with a line break in them, have no line. A station whose caption is
// not its address has it on an "#EXTINF:-1," line before its own, under an
// "#EXTM3U" first line; a list without such a station has neither.
#include <string>
#include <vector>

#include "app/playlist/playlist.h"

namespace orvana::app {

std::string SavedPlaylistText(const std::vector<TPlaylistItem>& items);

// Written whole or not at all; throws TFileWriteError.
void SavePlaylist(const TPlaylist& playlist, const std::string& path);

}  // namespace orvana::app
