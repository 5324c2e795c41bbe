#pragma once
// The Xing and VBRI headers an encoder writes into the first frame of a
// variable-bit-rate file, in place of audio: the stream's frame count and
// byte count, from which its length is known without reading it all.
#include <cstdint>

#include "engine/frame_header.h"

namespace orvana::player {

enum class TVbrHeaderKind { kNone, kXing, kVbri };

struct TVbrHeader {
  TVbrHeaderKind kind = TVbrHeaderKind::kNone;
  // Counts as the header gives them; 0 when absent or not positive.
  int32_t frames = 0;
  int32_t bytes = 0;
};

// Where the header would start in the frame: after the 4 header bytes, the
// CRC word if any and the side information.
int VbrHeaderOffset(const engine::FrameHeader& header);

// Looks at the frame of `length` bytes at `frame`. Fields that would lie
// past the frame's end count as absent.
TVbrHeader ReadVbrHeader(const uint8_t* frame, int length, const engine::FrameHeader& header);

}  // namespace orvana::player
