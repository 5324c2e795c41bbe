#pragma once
// Walks the MPEG audio frames of a file held in memory: passes over a leading
// ID3v2 tag, finds the first frame, then takes as frames only headers that
// match the first one's version, layer and sampling frequency, skipping
// anything else byte by byte. Free-format frames are measured by the length
// found at the first frame.
#include <cstddef>
#include <cstdint>

#include "engine/frame_header.h"

namespace orvana::engine {

// Size of the ID3v2 tag (header, body and footer) at `data`; 0 when none.
size_t Id3v2TagSize(const uint8_t* data, size_t size);

struct ScannedFrame {
  size_t offset = 0;
  int length = 0;  // padding included
  FrameHeader header;
};

class FrameScanner {
 public:
  FrameScanner(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  // Finds the first frame. False when the data holds no MPEG audio frame
  // (the first sync candidate does not parse, as the player would refuse it).
  bool FindFirstFrame();

  const FrameHeader& firstHeader() const { return first_.header; }
  // Length of the first frame without its padding slot, as InitDecoder takes it.
  int firstFrameLength() const { return firstLengthWithoutPadding_; }
  size_t firstFrameOffset() const { return first_.offset; }
  int firstBitrate() const { return firstBitrate_; }

  // The next frame from the current position on (the first frame comes
  // first). False when no complete frame is left.
  bool Next(ScannedFrame& frame);

  // Bytes passed over as garbage so far (tags and the like included).
  size_t skippedBytes() const { return skipped_; }

  // Length of a frame at `offset` that matches the first frame (padding
  // included), 0 when the bytes there are not such a frame.
  int MatchingFrameLength(size_t offset, FrameHeader& header) const;

 private:
  const uint8_t* data_;
  size_t size_;
  ScannedFrame first_;
  int firstLengthWithoutPadding_ = 0;
  int firstBitrate_ = 0;
  size_t position_ = 0;
  size_t skipped_ = 0;
  bool found_ = false;
};

// Where an encoder's header (Xing, Info, VBRI) would start in a Layer III
// frame: after the 4 header bytes, the CRC word if any and the side information.
int VbrHeaderOffset(const FrameHeader& header);
// True when the frame carries a Xing or VBRI header (looked for right after
// its side information), which is stream information and not audio.
bool IsVbrHeaderFrame(const uint8_t* frame, int length, const FrameHeader& header);
// True when the frame carries the Info header a constant-bit-rate file may
// start with: the same stream information in a frame that decodes as silence.
bool IsInfoHeaderFrame(const uint8_t* frame, int length, const FrameHeader& header);

}  // namespace orvana::engine
