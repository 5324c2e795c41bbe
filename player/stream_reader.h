#pragma once
// TMPStreamReader: a ring buffer in front of a stream. Callers ask for a
// number of bytes to be contiguous at the head, look at them through Data()
// and then skip them.
#include <cstdint>

#include "player/aligned_memory.h"
#include "player/stream.h"

namespace orvana::player {

class TMPStreamReader {
 public:
  // Small requests are rounded up to reads of this size.
  static constexpr int kReadChunk = 16384;

  explicit TMPStreamReader(int capacity);
  ~TMPStreamReader() { Close(); }
  TMPStreamReader(const TMPStreamReader&) = delete;
  TMPStreamReader& operator=(const TMPStreamReader&) = delete;

  // The stream is taken to be at its start and is not owned.
  void Open(TStream* stream, bool seekable);
  void Close();

  // Reads until `n` bytes are buffered or the stream ends.
  bool Fill(std::int64_t n);
  // Fill(n), then makes those `n` bytes contiguous at Data().
  bool Need(std::int64_t n);
  // Buffers up to kReadChunk more bytes; false when full or at the end.
  bool ReadAhead();
  // Consumes `n` bytes, seeking past what is not buffered when possible.
  bool Skip(std::int64_t n);
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin);

  const std::uint8_t* Data() const { return ring_ ? ring_.data() + head_ : nullptr; }
  // Bytes at Data() before the ring wraps.
  int Contiguous() const { return head_ + count_ > capacity_ ? capacity_ - head_ : count_; }
  int Count() const { return count_; }
  std::int64_t Position() const { return position_; }
  std::int64_t Size() const { return size_; }
  bool Seekable() const { return seekable_; }
  int Capacity() const { return capacity_; }
  bool Opened() const { return opened_; }

 private:
  void Consume(int n);
  void Straighten();

  TStream* stream_ = nullptr;
  std::int64_t size_ = 0;
  bool seekable_ = false;
  TAlignedBlock ring_;
  int head_ = 0;
  int count_ = 0;
  const int capacity_;
  std::int64_t position_ = 0;
  bool opened_ = false;
};

}  // namespace orvana::player
