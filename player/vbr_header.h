#pragma once
// The Xing, Info and VBRI headers an encoder writes into the first frame of
// a file, in place of audio: the stream's frame count and byte count, from
// which its length is known without reading it all, and (LAME's extension
// of Xing and Info) how many samples of silence the encoder put in front of
// the music and after it, and the loudness it measured.
#include <cstdint>

#include "engine/frame_header.h"
#include "engine/frame_scanner.h"
#include "player/replay_gain.h"

namespace orvana::player {

// Xing: variable bit rate. Info: the same layout in a constant-bit-rate file.
enum class TVbrHeaderKind { kNone, kXing, kInfo, kVbri };

struct TVbrHeader {
  TVbrHeaderKind kind = TVbrHeaderKind::kNone;
  // Counts as the header gives them; 0 when absent or not positive.
  int32_t frames = 0;
  int32_t bytes = 0;
  // From the encoder's extension, trusted only when its checksum holds.
  bool hasEncoderDelays = false;
  int encoderDelay = 0;    // samples of silence before the music
  int encoderPadding = 0;  // samples after it, to the end of the last frame
  // The encoder's ReplayGain estimate, from the same extension (its peak is the track's).
  TReplayGainValues encoderGain;
};

// Looks at the frame of `length` bytes at `frame`. Fields that would lie
// past the frame's end count as absent.
TVbrHeader ReadVbrHeader(const uint8_t* frame, int length, const engine::FrameHeader& header);

}  // namespace orvana::player
