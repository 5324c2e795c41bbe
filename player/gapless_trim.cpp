#include "player/gapless_trim.h"

#include <algorithm>

namespace orvana::player {

TPlayWindow TPlayWindow::Scaled(std::int64_t factor) const {
  return {from * factor, until == kNoEnd ? kNoEnd : until * factor};
}

TBlockPart PartInWindow(std::int64_t first, std::int64_t count, const TPlayWindow& window) {
  const std::int64_t last = first + count;
  TBlockPart part;
  part.begin = std::clamp(window.from, first, last) - first;
  part.end = std::clamp(window.until, first, last) - first;
  if (part.end < part.begin) part.end = part.begin;
  return part;
}

TPlayWindow EncoderPlayWindow(const TVbrHeader& header, int samplesPerFrame) {
  TPlayWindow window;
  if (!header.hasEncoderDelays) return window;
  window.from = std::int64_t{header.encoderDelay} + kDecoderDelaySamples;
  // The frame count is of audio frames: the header's own frame is not among them.
  if (header.frames > 0) {
    const std::int64_t encoded = std::int64_t{header.frames} * samplesPerFrame;
    const std::int64_t music = encoded - header.encoderDelay - header.encoderPadding;
    window.until = window.from + std::max<std::int64_t>(0, music);
  }
  return window;
}

}  // namespace orvana::player
