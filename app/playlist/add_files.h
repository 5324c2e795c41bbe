#pragma once
// Adding songs to the playlist: files, playlists (.m3u) and folders.
#include <string>
#include <vector>

#include "app/playlist/playlist.h"
#include "app/playlist/text_file.h"

namespace orvana::app {

// Adds the ".mp1", ".mp2" and ".mp3" names in order (extensions in any case)
// and expands every ".m3u" name into its lines, recursively; a playlist that
// lists itself, directly or through others, is read once. Names already in
// the list are skipped, but one name twice in `names` is added twice. With
// `readTags` the ID3v1 tag fills the columns. Without `append` the list and
// `totalSeconds` are cleared first (only when `names` is not empty). The
// list changes in one step at the end; an ".m3u" that cannot be read throws
// TFileReadError and leaves the list and `totalSeconds` as they were.
// Returns the number of items added.
int AddFiles(TPlaylist& playlist, const std::vector<std::string>& names, bool append, bool readTags,
             int& totalSeconds);

// AddFiles of every ".mp1", then ".mp2", then ".mp3" of a folder (and its
// subfolders with `searchSubfolders`).
int AddFolder(TPlaylist& playlist, const std::string& folder, bool searchSubfolders, bool readTags, bool append,
              int& totalSeconds);

}  // namespace orvana::app
