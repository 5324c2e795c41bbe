#pragma once
// The text of one ID3v2 frame body (encoding byte first), as UTF-8.
#include <cstdint>
#include <string>
#include <string_view>

namespace orvana::player {

// `majorVersion` is the tag's: 2 names the comment "COM" and the user link
// "WXX"; only 4 knows UTF-16 without a mark (big-endian). UTF-8 (encoding 3)
// and Latin-1 are read alike, as bytes whose encoding is not trusted.
std::string ID3v2FrameText(std::string_view id, const std::uint8_t* body, std::int64_t size, int majorVersion = 3);

// A user text frame ("TXXX", "TXX"): its description and its value.
struct TID3v2UserText {
  std::string description;
  std::string value;
};

// Both parts as UTF-8, read as ID3v2FrameText reads texts; a value missing
// after the description is empty.
TID3v2UserText ID3v2UserText(const std::uint8_t* body, std::int64_t size, int majorVersion);

}  // namespace orvana::player
