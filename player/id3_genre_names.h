#pragma once
// Genre names by the ID3v1 genre byte, spelt as the player shows them.
#include <array>
#include <string_view>

namespace orvana::player {

extern const std::array<std::string_view, 256> ID3GenreNames;

}  // namespace orvana::player
