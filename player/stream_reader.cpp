#include "player/stream_reader.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "player/assertion.h"

namespace orvana::player {

namespace {
constexpr std::size_t kRingAlignment = 8;
}

TMPStreamReader::TMPStreamReader(int capacity) : capacity_(capacity) { MPAssert(capacity > 0); }

void TMPStreamReader::Open(TStream* stream, bool seekable) {
  MPAssert(stream != nullptr);
  Close();
  opened_ = true;
  stream_ = stream;
  seekable_ = seekable;
  position_ = 0;
  head_ = 0;
  count_ = 0;
  try {
    ring_ = TAlignedBlock(static_cast<std::size_t>(capacity_), kRingAlignment);
    if (seekable) size_ = stream->Size();
  } catch (...) {
    Close();
    throw;
  }
}

void TMPStreamReader::Close() {
  if (!opened_) return;
  stream_ = nullptr;
  size_ = 0;
  head_ = 0;
  count_ = 0;
  ring_ = TAlignedBlock();
  opened_ = false;
}

bool TMPStreamReader::Fill(std::int64_t n) {
  MPAssert(stream_ != nullptr);
  MPAssert(n >= 0 && n <= capacity_);
  MPAssert(static_cast<bool>(ring_));
  while (count_ < n) {
    const std::int64_t missing = n - count_;
    const std::int64_t chunk =
        missing < kReadChunk ? std::min<std::int64_t>(kReadChunk, capacity_ - count_) : missing;
    const int writeAt = (head_ + count_) % capacity_;
    // One read never wraps; the chunk never exceeds the free space.
    const std::int64_t length = std::min<std::int64_t>(chunk, capacity_ - writeAt);
    const std::int64_t got = stream_->Read(ring_.data() + writeAt, length);
    if (got <= 0) break;
    MPAssert(got <= length);
    count_ += static_cast<int>(got);
  }
  return count_ >= n;
}

bool TMPStreamReader::Need(std::int64_t n) {
  MPAssert(stream_ != nullptr);
  if (!Fill(n)) return false;
  if (Contiguous() < n) Straighten();
  MPAssert(Contiguous() >= n);
  return true;
}

void TMPStreamReader::Straighten() {
  std::uint8_t* ring = ring_.data();
  const int first = capacity_ - head_;
  const int wrapped = count_ + head_ - capacity_;
  if (wrapped <= 0) {
    std::memmove(ring, ring + head_, static_cast<std::size_t>(count_));
  } else if (count_ < head_) {
    // The wrapped part ends below where the first part will, so no collision.
    std::memmove(ring + first, ring, static_cast<std::size_t>(wrapped));
    std::memmove(ring, ring + head_, static_cast<std::size_t>(first));
  } else {
    std::vector<std::uint8_t> firstPart(ring + head_, ring + capacity_);
    std::memmove(ring + first, ring, static_cast<std::size_t>(wrapped));
    std::memcpy(ring, firstPart.data(), firstPart.size());
  }
  head_ = 0;
}

bool TMPStreamReader::ReadAhead() {
  MPAssert(stream_ != nullptr);
  if (count_ == capacity_) return false;
  return Fill(count_ + std::min(capacity_ - count_, kReadChunk));
}

void TMPStreamReader::Consume(int n) {
  count_ -= n;
  head_ = (head_ + n) % capacity_;
  position_ += n;
}

bool TMPStreamReader::Skip(std::int64_t n) {
  MPAssert(stream_ != nullptr);
  MPAssert(n >= 0);
  if (count_ >= n) {
    Consume(static_cast<int>(n));
    return true;
  }
  if (seekable_) {
    if (n > size_ - position_) {
      Seek(0, soEnd);
      return false;
    }
    Seek(n, soCurrent);
    return true;
  }
  std::int64_t remaining = n;
  while (Fill(1)) {
    Fill(capacity_);
    if (count_ >= remaining) {
      Consume(static_cast<int>(remaining));
      return true;
    }
    position_ += count_;
    remaining -= count_;
    count_ = 0;
    head_ = 0;
  }
  return false;
}

std::int64_t TMPStreamReader::Seek(std::int64_t offset, TSeekOrigin origin) {
  MPAssert(stream_ != nullptr);
  MPAssert(seekable_);
  // The stream stands Count bytes ahead of the logical position.
  const std::int64_t streamOffset = origin == soCurrent ? offset - count_ : offset;
  position_ = stream_->Seek(streamOffset, origin);
  head_ = 0;
  count_ = 0;
  return position_;
}

}  // namespace orvana::player
