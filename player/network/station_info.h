#pragma once
// What a network stream tells of itself: the station's headers and where
// the stream stands.
#include <cstdint>
#include <string>

namespace orvana::player {

// What the station says of itself in its answer's headers.
struct TStationInfo {
  std::string name;         // icy-name
  std::string genre;        // icy-genre
  std::string description;  // icy-description
  std::string homePage;     // icy-url
  std::string contentType;  // Content-Type
  int bitrate = 0;          // icy-br in kbit/s, 0 when not given

  bool operator==(const TStationInfo&) const = default;
};

enum class TNetStreamState : std::uint8_t {
  kConnecting,  // before the first audio byte
  kReceiving,   // audio is coming
  kRetrying,    // the connection dropped: waiting to connect again
  kEnded,       // the station ended its stream, or Cancel
  kFailed,      // gave up: Error() says why
};

}  // namespace orvana::player
