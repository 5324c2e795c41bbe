#pragma once
// The ID3v2 tag at the start of a file. Version 2.3 tags are read frame by
// frame; other versions and unsynchronised tags are passed over whole.
#include <cstdint>
#include <optional>

#include "player/keyed_list.h"
#include "player/stream_reader.h"

namespace orvana::player {

// On success the reader stands just past the tag, whose whole length
// (header included) is returned; text frames are added to `values`.
std::optional<std::int64_t> PassID3v2Tag(TMPStreamReader& reader, TKeyedList& values);

}  // namespace orvana::player
