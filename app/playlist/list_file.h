#pragma once
// The list file, which keeps the playlist between runs. Per item, lines
// ending in CR LF: the caption, the number of sub-items, then each sub-item.
// An empty playlist is an empty file.
//
// A damaged file can give items with fewer sub-items, or none: such an item
// keeps its caption, and its path is its last sub-item (empty without any).
// An item without a path stays in the list as a song whose file is missing:
// deleting missing files removes it, the saved playlist leaves it out, and
// the list file keeps it as it was read.
#include <string>
#include <string_view>
#include <vector>

#include "app/playlist/playlist.h"
#include "app/playlist/text_file.h"

namespace orvana::app {

// The file's text. A line break inside a text would shift every record
// after it, so it is written as a blank.
std::string ListFileText(const std::vector<TPlaylistItem>& items);

// Written whole or not at all; throws TFileWriteError.
void SaveListFile(const TPlaylist& playlist, const std::string& path);

// The items of a list file's text. Records are read while at least two lines
// remain; a count that is not a number gives an item without sub-items; a
// record that runs past the last line is dropped.
std::vector<TPlaylistItem> ParseListFile(std::string_view text);

// False, with the playlist unchanged, when the file does not exist; otherwise
// the playlist becomes the file's items. A file that exists but cannot be
// read throws TFileReadError and changes nothing.
bool LoadListFile(TPlaylist& playlist, const std::string& path);

}  // namespace orvana::app
