#pragma once
// The audio frames inside the reader's data range: measuring the frame at
// the reader's head against the first frame of the stream, passing over
// garbage a byte at a time, and where the data ends.
//
// A frame counts only when its version, layer and sampling frequency match
// the first frame's (bit rate, padding, CRC and mode may change); anything
// else is garbage. In a free-format stream every free-format frame has the
// first frame's length, padding aside.
#include <cstdint>

#include "engine/frame_header.h"
#include "player/stream_reader.h"

namespace orvana::player {

class TMPFrameStream {
 public:
  // Consecutive garbage bytes after which the data is taken as ended.
  static constexpr int kGarbageLimit = 4096;

  explicit TMPFrameStream(TMPStreamReader& reader) : reader_(reader) {}

  // Forgets the first frame and everything measured; the data range is
  // `start` and `size` bytes (kDataSizeUnknown: up to the stream's end).
  void Reset(std::int64_t start, std::int64_t size);
  // The data starts `bytes` later (a sync found further on, a VBR header frame).
  void MoveDataStart(std::int64_t bytes);
  // A size the stream itself gives (a VBR header's byte count).
  void SetDataSize(std::int64_t size) { dataSize_ = size; }
  std::int64_t DataStart() const { return dataStart_; }
  std::int64_t DataSize() const { return dataSize_; }
  bool DataSizeKnown() const { return dataSize_ != kDataSizeUnknown; }

  // Keeps the 4 header bytes at the reader's head as the first frame's.
  // `freeFormatLength` (without padding) is the length of a free-format
  // first frame as measured by the search for the next one; free-format
  // frames after it have that length too.
  void TakeFirstHeader(int freeFormatLength = 0);

  // Length (padding included) of the frame whose header is at `bytes`, 0 when
  // it does not match the first frame, < 0 for a reserved frequency.
  int FrameSize(const std::uint8_t* bytes, engine::FrameHeader& header) const;
  static int LengthWithoutPadding(int length, const engine::FrameHeader& header);

  // The frame at the reader's head, measured and not yet consumed.
  int PendingLength() const { return pendingLength_; }
  const engine::FrameHeader& PendingHeader() const { return pendingHeader_; }
  void SetPending(int length, const engine::FrameHeader& header);
  void ClearPending() { pendingLength_ = 0; }

  // The reader has reached the end of the data range.
  bool Exhausted() const;
  // Takes the data as ending at the reader's position.
  void EndDataHere();
  // Passes over one garbage byte, or ends the data once kGarbageLimit bytes
  // in a row have been passed over. Clears the pending frame.
  void SkipGarbageByte();
  int SkipCount() const { return skipCount_; }
  void ClearSkipCount() { skipCount_ = 0; }

  // Steps over the next frame (after at most 4095 garbage bytes) without
  // decoding it; false when none lies wholly inside the data.
  bool NextFrame();

 private:
  TMPStreamReader& reader_;
  std::int64_t dataStart_ = 0;
  std::int64_t dataSize_ = kDataSizeUnknown;
  std::uint8_t firstRaw_[4] = {};
  int freeFormatLength_ = 0;
  int pendingLength_ = 0;
  engine::FrameHeader pendingHeader_;
  int skipCount_ = 0;
};

}  // namespace orvana::player
