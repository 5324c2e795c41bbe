#pragma once
// Network addresses among the names the playlist takes: which may be a
// station, which name a playlist on the web that is fetched first, and local
// files written as file:// addresses.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace orvana::app {

// No station needs a longer address; a hostile list must not fill the
// memory with them.
inline constexpr std::size_t kMaxAddressBytes = 2048;

// An http:// or https:// address (the scheme in any case) with a host, no
// blank or control character, at most kMaxAddressBytes long.
bool IsStationAddress(std::string_view text);

// The extension of an address's path, ASCII lower-cased: ".pls" of
// "http://host/listen.pls?sid=1"; empty without one.
std::string AddressExtension(std::string_view address);

// A station address whose path (before "?" or "#") ends in ".pls", ".m3u"
// or ".m3u8": a list of stations, not the sound of one.
bool IsWebPlaylistAddress(std::string_view text);

// The path of a file:// address on this machine (no host, or "localhost"),
// its %XX escapes decoded; nothing for any other text, or a path that would
// hold a NUL.
std::optional<std::string> LocalPathOfFileUri(std::string_view text);

// The text without blanks (spaces, tabs) at either end.
std::string_view WithoutBlanks(std::string_view text);

}  // namespace orvana::app
