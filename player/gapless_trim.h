#pragma once
// Gapless playback: of the samples a decoder makes from an encoded file, only
// those that were the encoder's input are played. The encoder's delay and the
// decoder's own delay come first, the encoder's padding fills the last frame.
#include <cstdint>
#include <limits>

#include "player/vbr_header.h"

namespace orvana::player {

// Samples a Layer III decoder puts out before the first encoded one.
inline constexpr int kDecoderDelaySamples = 529;

// A range of samples (or bytes) in the decoded stream, [from, until).
struct TPlayWindow {
  static constexpr std::int64_t kNoEnd = std::numeric_limits<std::int64_t>::max();
  std::int64_t from = 0;
  std::int64_t until = kNoEnd;

  bool Trims() const { return from > 0 || until != kNoEnd; }
  std::int64_t Length() const { return until == kNoEnd ? -1 : until - from; }
  // The same window counted in units `factor` times as small (samples to bytes).
  TPlayWindow Scaled(std::int64_t factor) const;
};

// The part [begin, end) of a block of `count` units that starts at `first`
// in the decoded stream and lies inside `window`; begin == end when none.
struct TBlockPart {
  std::int64_t begin = 0;
  std::int64_t end = 0;
  bool Empty() const { return begin >= end; }
};
TBlockPart PartInWindow(std::int64_t first, std::int64_t count, const TPlayWindow& window);

// The samples (per channel) to play of a stream of `samplesPerFrame` samples a
// frame, as the encoder's header gives them. Without its delays: all of them.
TPlayWindow EncoderPlayWindow(const TVbrHeader& header, int samplesPerFrame);

}  // namespace orvana::player
