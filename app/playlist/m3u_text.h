#pragma once
// Playlists in the .m3u format: one location a line, plain or extended
// ("#EXTM3U", "#EXTINF:length,Title" before the location it names).
#include <string_view>
#include <vector>

#include "app/playlist/playlist_entry.h"

namespace orvana::app {

// Lines ending in CR LF or LF; blank lines and other "#" lines are passed
// over. An #EXTINF title belongs to the next location only. Locations are
// kept as written (a file name may begin or end with a blank).
std::vector<TPlaylistEntry> ParseM3uText(std::string_view text);

}  // namespace orvana::app
