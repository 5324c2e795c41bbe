#pragma once
// The ID3v2 tag at the start of a file. Versions 2.2, 2.3 and 2.4 are read
// frame by frame, unsynchronised or not; other versions are passed over whole.
#include <cstdint>
#include <optional>

#include "player/keyed_list.h"
#include "player/stream_reader.h"

namespace orvana::player {

// On success the reader stands just past the tag (and its footer), whose
// whole length is returned; text frames are added to `values` under their own
// ids ("TIT2", "TT2", ...).
std::optional<std::int64_t> PassID3v2Tag(TMPStreamReader& reader, TKeyedList& values);

}  // namespace orvana::player
