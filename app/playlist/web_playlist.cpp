#include "app/playlist/web_playlist.h"

#include <stdexcept>

#include "app/playlist/stream_address.h"

namespace orvana::app {
namespace {

// Text files hold no NUL; a binary answer (an image, a stream) has plenty.
bool LooksLikeText(const std::string& body) { return body.find('\0') == std::string::npos; }

}  // namespace

std::vector<TPlaylistEntry> ReadWebPlaylist(const std::string& url, const TFetchText& fetch,
                                            const std::atomic<bool>* cancel) {
  const std::string body = fetch(url, kMaxWebPlaylistBytes, kWebPlaylistTimeoutMs, cancel);
  if (!LooksLikeText(body)) throw std::runtime_error("The address " + url + " sends no playlist but binary data.");
  std::vector<TPlaylistEntry> stations;
  for (TPlaylistEntry& entry : ParsePlaylistText(body, AddressExtension(url))) {
    const std::string_view location = WithoutBlanks(entry.location);
    if (!IsStationAddress(location) || IsWebPlaylistAddress(location)) continue;
    entry.location = std::string(location);
    stations.push_back(std::move(entry));
    if (stations.size() == kMaxWebPlaylistEntries) break;
  }
  if (stations.empty()) throw std::runtime_error("The playlist at " + url + " names no station.");
  return stations;
}

TWebPlaylistRead ReadWebPlaylists(const std::vector<std::string>& urls, const TFetchText& fetch,
                                  const std::atomic<bool>* cancel) {
  TWebPlaylistRead read;
  for (const std::string& url : urls) {
    if (cancel != nullptr && cancel->load()) break;
    try {
      std::vector<TPlaylistEntry> stations = ReadWebPlaylist(url, fetch, cancel);
      read.stations.insert(read.stations.end(), std::make_move_iterator(stations.begin()),
                           std::make_move_iterator(stations.end()));
    } catch (const std::exception& error) {
      read.failures.push_back(error.what());
    }
  }
  return read;
}

}  // namespace orvana::app
