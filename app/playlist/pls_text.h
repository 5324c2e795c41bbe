#pragma once
// Playlists in the .pls format: an INI-like "[playlist]" section of
// FileN=location and TitleN=title keys.
#include <string_view>
#include <vector>

#include "app/playlist/playlist_entry.h"

namespace orvana::app {

// Keys in any case and any order, blanks around keys and values, CR LF or
// LF; lines starting with ";" or "#" are notes. Keys before any section
// count as the playlist's, keys of other sections do not. Entries come in
// the order of their numbers; every FileN present counts, whatever
// NumberOfEntries says (lists get it wrong). Of a key given twice the first
// stands.
std::vector<TPlaylistEntry> ParsePlsText(std::string_view text);

}  // namespace orvana::app
