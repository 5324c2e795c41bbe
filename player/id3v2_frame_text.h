#pragma once
// The text of one ID3v2.3 frame body (encoding byte first), as UTF-8.
#include <cstdint>
#include <string>
#include <string_view>

namespace orvana::player {

std::string ID3v2FrameText(std::string_view id, const std::uint8_t* body, std::int64_t size);

}  // namespace orvana::player
