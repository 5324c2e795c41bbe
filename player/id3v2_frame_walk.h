#pragma once
// The frames of an ID3v2 tag walked by their headers: where they stop and
// why, which way of storing sizes walks them, and where the audio starts
// when a tag claims more bytes than its frames and padding fill.
#include <cstdint>
#include <functional>
#include <optional>

#include "player/id3v2_frame_format.h"
#include "player/id3v2_tag_view.h"

namespace orvana::player {

enum class TID3v2WalkEnd {
  weTagEnd,   // the frames fill the tag
  weStopped,  // bytes that are no frame header: padding, junk or audio
  weOverrun,  // a frame runs past the tag's end
  weUnseen,   // the stream ended first, or cannot show the bytes
};

struct TID3v2Walk {
  std::int64_t stop = 0;  // where the frames stop
  TID3v2WalkEnd end = TID3v2WalkEnd::weUnseen;
};

// Called with the stream position and body size of each frame that holds
// something; frames of size zero are passed over.
using TID3v2FrameVisit = std::function<void(std::int64_t at, std::int64_t bodySize)>;

// Walks the frames from `start` to `end`. With `visit` the walk reads: each
// frame is visited, and what lies before it released.
TID3v2Walk WalkID3v2Frames(TID3v2TagView& view, std::int64_t start, std::int64_t end,
                           const TID3v2FrameFormat& format, const TID3v2FrameVisit* visit = nullptr);

// The size coding whose walk ends well (at the tag's end, in padding or at
// the audio): the standard one unless only the other does.
TID3v2SizeCoding ChooseID3v2Sizes(TID3v2TagView& view, std::int64_t start, std::int64_t end, int majorVersion,
                                  bool unsynchronised);

// Where an MPEG frame, and a matching one after it, starts behind the zeros
// (if any) from `stop`, before `end`; none when something else comes first.
// Zeros are released as they are passed when `release` is set.
std::optional<std::int64_t> AudioInsideTag(TID3v2TagView& view, std::int64_t stop, std::int64_t end,
                                           bool release);

}  // namespace orvana::player
