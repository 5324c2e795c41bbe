#pragma once
// Texts taken from tag fields, always returned as UTF-8.
#include <cstdint>
#include <string>

#include "player/stream_reader.h"

namespace orvana::player {

// The bytes up to the first NUL (or all `n`), without trailing spaces and
// control characters.
std::string FixedText(const std::uint8_t* data, std::int64_t n);

// FixedText of what follows the last NUL before the field's final byte: a
// comment's text after its language code and description.
std::string LastPartText(const std::uint8_t* data, std::int64_t n);

// Reads `n` bytes through the reader as they are, in pieces of at most its
// capacity, and consumes them. False when the stream ends first.
bool ReadRawText(TMPStreamReader& reader, std::int64_t n, std::string& bytes);

}  // namespace orvana::player
