#pragma once
// Display names of the ID3v1 genres, in the playlist's own (mostly Japanese)
// wording. The last entry is empty and stands for "no genre".
#include <array>
#include <cstdint>
#include <string_view>

namespace orvana::app {

inline constexpr std::uint8_t kNoGenre = 148;

extern const std::array<std::string_view, kNoGenre + 1> GenreNames;

// The name of any genre byte: numbers without a name read as no genre.
std::string_view GenreName(std::uint8_t genre);

}  // namespace orvana::app
