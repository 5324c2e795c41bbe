#pragma once
// Playlists on the web (a station's .pls or .m3u): fetched whole, within
// bounds, and read for the stations they list. Blocking: the window runs
// this on a worker thread.
#include <atomic>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "app/playlist/playlist_entry.h"

namespace orvana::app {

// What fetches a text from the web; FetchText of player/network/http_fetch.h
// in the program, a fake in tests. Raises an exception whose text is one
// sentence on any failure.
using TFetchText = std::function<std::string(const std::string& url, std::size_t maxBytes, int timeoutMs,
                                             const std::atomic<bool>* cancel)>;

// A station's list is a few hundred bytes; anything near these is not one.
inline constexpr std::size_t kMaxWebPlaylistBytes = 256 * 1024;
inline constexpr std::size_t kMaxWebPlaylistEntries = 500;
inline constexpr int kWebPlaylistTimeoutMs = 15000;

// The stations of every list, in order, and a sentence for each list that
// gave none.
struct TWebPlaylistRead {
  std::vector<TPlaylistEntry> stations;
  std::vector<std::string> failures;
};

// The stations the list at `url` names: station addresses only (a web page
// names no file of this machine, nor, here, another list), the first
// kMaxWebPlaylistEntries of them. Throws when it cannot be fetched, is not
// text, or names no station.
std::vector<TPlaylistEntry> ReadWebPlaylist(const std::string& url, const TFetchText& fetch,
                                            const std::atomic<bool>* cancel);

// ReadWebPlaylist of each address in turn; stops early once `*cancel` is set.
TWebPlaylistRead ReadWebPlaylists(const std::vector<std::string>& urls, const TFetchText& fetch,
                                  const std::atomic<bool>* cancel);

}  // namespace orvana::app
