#pragma once
// The ID3v2 tag at the start of a file. Versions 2.2, 2.3 and 2.4 are read
// frame by frame, unsynchronised or not; other versions are passed over whole.
#include <cstdint>
#include <functional>
#include <optional>

#include "player/id3v2_frame_format.h"
#include "player/keyed_list.h"
#include "player/stream_reader.h"

namespace orvana::player {

// Called with each frame read, in the order of the tag.
using TID3v2FrameHandler = std::function<void(const TID3v2Frame& frame)>;

// On success the reader stands just past the tag (and its footer), whose
// whole length is returned; each frame that can be read goes to `onFrame`.
// Frames of size zero are passed over, junk after the last frame ends the
// frames, and a tag claiming the audio's first frames ends where they start.
std::optional<std::int64_t> PassID3v2Tag(TMPStreamReader& reader, const TID3v2FrameHandler& onFrame);

// The frames' texts are added to `values` under their own ids ("TIT2", "TT2", ...).
std::optional<std::int64_t> PassID3v2Tag(TMPStreamReader& reader, TKeyedList& values);

}  // namespace orvana::player
