#pragma once
// The 128-byte MacBinary header in front of a Macintosh file's two forks.
#include <cstdint>
#include <optional>

#include "player/stream_reader.h"

namespace orvana::player {

struct TMacBinaryForks {
  std::int64_t dataForkLength;
  std::int64_t resourceForkLength;
};

// On success the reader stands at the data fork.
std::optional<TMacBinaryForks> ReadMacBinaryHeader(TMPStreamReader& reader);

}  // namespace orvana::player
