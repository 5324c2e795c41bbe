#include "player/frame_stream.h"

#include <cstring>

#include "player/assertion.h"

namespace orvana::player {
namespace {


int PaddingBytes(const engine::FrameHeader& header) {
  return header.paddingBit * engine::PaddingSlotBytes(header.layerCode);
}

}  // namespace

void TMPFrameStream::Reset(std::int64_t start, std::int64_t size) {
  dataStart_ = start;
  dataSize_ = size < 0 ? 0 : size;
  std::memset(firstRaw_, 0, sizeof firstRaw_);
  freeFormatLength_ = 0;
  pendingLength_ = 0;
  pendingHeader_ = {};
  skipCount_ = 0;
}

void TMPFrameStream::MoveDataStart(std::int64_t bytes) {
  dataStart_ += bytes;
  if (DataSizeKnown()) dataSize_ = dataSize_ > bytes ? dataSize_ - bytes : 0;
}

void TMPFrameStream::TakeFirstHeader(int freeFormatLength) {
  MPAssert(reader_.Contiguous() >= 4);
  std::memcpy(firstRaw_, reader_.Data(), sizeof firstRaw_);
  freeFormatLength_ = freeFormatLength > 0 ? freeFormatLength : 0;
}

int TMPFrameStream::FrameSize(const std::uint8_t* bytes, engine::FrameHeader& header) const {
  int length = engine::ParseFrameHeader(bytes, 0, header);
  if (length < 0) return length;
  const bool sameStream = bytes[0] == firstRaw_[0] && (bytes[1] & 0xFE) == (firstRaw_[1] & 0xFE) &&
                          (bytes[2] & 0x0C) == (firstRaw_[2] & 0x0C);
  // Matching the first frame's version and layer, a header that measures 0
  // with bit-rate index 0 is a free-format frame.
  if (length == 0 && sameStream && header.syncKind != 0 && header.bitrateIndex == 0) length = freeFormatLength_;
  if (length <= 0) return length;
  if (header.layerCode < 1 || header.layerCode > 3) return 0;
  if (!sameStream) return 0;
  return length + PaddingBytes(header);
}

int TMPFrameStream::LengthWithoutPadding(int length, const engine::FrameHeader& header) {
  return length - PaddingBytes(header);
}

void TMPFrameStream::SetPending(int length, const engine::FrameHeader& header) {
  pendingLength_ = length;
  pendingHeader_ = header;
}

bool TMPFrameStream::Exhausted() const { return reader_.Position() - dataStart_ >= dataSize_; }

void TMPFrameStream::EndDataHere() { dataSize_ = reader_.Position() - dataStart_; }

void TMPFrameStream::SkipGarbageByte() {
  pendingLength_ = 0;
  if (skipCount_ >= kGarbageLimit) {
    EndDataHere();
    return;
  }
  reader_.Skip(1);
  ++skipCount_;
}

bool TMPFrameStream::NextFrame() {
  int skipped = 0;
  int length = 0;
  for (;;) {
    if (!reader_.Need(4)) return false;
    engine::FrameHeader header;
    length = FrameSize(reader_.Data(), header);
    if (length > 0) break;
    reader_.Skip(1);
    if (++skipped > kGarbageLimit - 1) return false;
  }
  // Compared as distances, so that a size that is not known never fails.
  if (reader_.Position() - dataStart_ > dataSize_ - length) return false;
  return reader_.Skip(length);
}

}  // namespace orvana::player
