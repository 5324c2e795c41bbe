#pragma once
// The bytes of a run of frames as they lie in a queue of written blocks,
// for copying sound out of the blocks or over it.
#include <algorithm>
#include <cstdint>

namespace orvana::platform {

struct BlockFrames {
  uint8_t* data;  // the block's first frame
  int64_t start;  // its frames in the stream, [start, end)
  int64_t end;
};

// Calls part(blockBytes, offsetFrames, frames) for each piece of frames
// [from, from + frames) held by the blocks (in stream order), where
// offsetFrames counts from `from`; `framesOf(block)` gives a BlockFrames.
template <class Blocks, class FramesOf, class Part>
void ForEachQueuedPart(const Blocks& blocks, FramesOf framesOf, int64_t from, int64_t frames, uint32_t blockAlign,
                       Part part) {
  const int64_t until = from + frames;
  for (const auto& block : blocks) {
    const BlockFrames span = framesOf(block);
    const int64_t begin = std::max(span.start, from);
    const int64_t end = std::min(span.end, until);
    if (begin >= end) continue;
    part(span.data + (begin - span.start) * blockAlign, begin - from, end - begin);
  }
}

}  // namespace orvana::platform
