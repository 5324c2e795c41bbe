#pragma once
// The two ways ID3v2 keeps MPEG sync patterns out of a tag: sizes stored in
// 7 bits per byte, and an 0x00 written after each 0xFF.
#include <cstdint>
#include <string>
#include <string_view>

namespace orvana::player {

// Four bytes of 7 bits each, big-endian; the top bit of each byte is ignored.
std::int64_t SynchsafeInteger(const std::uint8_t* p);

// The bytes with every 0xFF 0x00 pair turned back into 0xFF.
std::string Resynchronised(std::string_view bytes);

}  // namespace orvana::player
