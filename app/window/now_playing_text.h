#pragma once
// The texts the window shows about the song that plays.
#include <cstdint>
#include <string>

namespace orvana::app {

// The album, followed by " / Track n" when the track is known (not 0).
std::string AlbumText(const std::string& album, const std::string& track);

// The property tab's audio line, e.g. "3min 25sec / Layer 3, 128KBit 44100Hz"
// (no minutes part under a minute); empty for a length under 1 ms.
std::string AudioPropertiesText(std::int64_t lengthMs, int layer, int bitrate, int frequency);

// The now-playing line of a station: "接続中..." while connecting,
// "バッファリング中..." while the sound waits for the network, else empty.
std::string StationStateText(bool connecting, bool buffering);

// The playlist's time column for a length in milliseconds: "mm:ss".
std::string DurationText(std::int64_t lengthMs);

}  // namespace orvana::app
