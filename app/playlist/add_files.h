#pragma once
// Adding to the playlist: song files, playlist files (.m3u, .m3u8, .pls),
// stations' addresses and folders.
#include <string>
#include <vector>

#include "app/playlist/playlist.h"
#include "app/playlist/playlist_entry.h"
#include "app/playlist/text_file.h"

namespace orvana::app {

struct TAddResult {
  int added = 0;
  // Playlists on the web met on the way (named, or listed in a playlist
  // file), each once, in order: fetched later, their stations added then.
  std::vector<std::string> webPlaylists;
};

// Adds in order the ".mp1", ".mp2" and ".mp3" names (extensions in any
// case), the addresses of stations (http://, https://, captioned by the
// address, their time unknown, no tag read) and the entries of every
// playlist file, recursively; a playlist that lists itself, directly or
// through others, is read once. In a playlist file, relative names are of
// its own folder, file:// entries are local files and stations take the
// titles it gives them. Names already in the list are skipped, but one name
// twice in `names` is added twice. With `readTags` the ID3v1 tag fills a
// song's columns. Without `append` the list and `totalSeconds` are cleared
// first (only when `names` is not empty). The list changes in one step at
// the end; a playlist file that cannot be read throws TFileReadError and
// leaves the list and `totalSeconds` as they were.
TAddResult AddFiles(TPlaylist& playlist, const std::vector<std::string>& names, bool append, bool readTags,
                    int& totalSeconds);

// AddFiles of a playlist's entries, which may give titles: the stations of
// a playlist on the web.
TAddResult AddEntries(TPlaylist& playlist, const std::vector<TPlaylistEntry>& entries, bool append, bool readTags,
                      int& totalSeconds);

// AddFiles of every ".mp1", then ".mp2", then ".mp3" of a folder (and its
// subfolders with `searchSubfolders`).
int AddFolder(TPlaylist& playlist, const std::string& folder, bool searchSubfolders, bool readTags, bool append,
              int& totalSeconds);

}  // namespace orvana::app
