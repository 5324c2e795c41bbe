#pragma once
// Most-significant-bit-first readers. The Layer III reader runs over buffers
// that carry slack bytes behind their data (the main-data reservoir, a padded
// copy of the side information), so its look-ahead needs no bounds test; the
// Layer I/II reader reads a frame in place and never loads past its end.
// Buffers read by the Layer III reader must hold 4 readable bytes beyond the
// last byte it is to load.
#include <cstdint>

namespace orvana::engine {

class Layer3BitReader {
 public:
  void Start(const uint8_t* pointer) {
    next_ = start_ = pointer;
    cache_ = 0;
    available_ = 0;
  }
  void SetLimit(const uint8_t* pointer) { limit_ = pointer; }

  // Bits consumed since Start.
  int Position() const { return static_cast<int>(next_ - start_) * 8 - available_; }

  // 1 <= n <= 24.
  uint32_t GetBits(int n) {
    if (available_ < n) Refill();
    return Take(n);
  }
  // As GetBits, refilling early so that a sign bit can follow without a load.
  uint32_t GetLinbits(int n) {
    if (available_ < n + 2) Refill();
    return Take(n);
  }
  // n <= 11; the bits stay in the cache.
  uint32_t PeekBits(int n) {
    if (available_ < 11) Refill();
    return cache_ >> (available_ - n);
  }
  // Drops n >= 1 bits after a PeekBits of at least n.
  void Consume(int n) {
    available_ -= n;
    cache_ &= LowMask(available_);
  }

  bool Overrun() const { return next_ > limit_; }
  // The next byte to load (one past the last byte read).
  const uint8_t* next() const { return next_; }

 private:
  // At most 31 bits remain after a read of at least one bit.
  static uint32_t LowMask(int bits) { return (1u << bits) - 1; }
  // Loads whole bytes until more than 24 bits are cached: one 4-byte load of
  // which the needed bytes are taken (none when more than 24 are cached), so
  // that up to 3 bytes past those are read but not consumed.
  void Refill() {
    const int bits = (32 - available_) & ~7;
    const uint64_t word = uint64_t{next_[0]} << 24 | next_[1] << 16 | next_[2] << 8 | next_[3];
    cache_ = static_cast<uint32_t>(uint64_t{cache_} << bits | word >> (32 - bits));
    next_ += bits / 8;
    available_ += bits;
  }
  uint32_t Take(int n) {
    available_ -= n;
    const uint32_t value = cache_ >> available_;
    cache_ &= LowMask(available_);
    return value;
  }

  uint32_t cache_ = 0;  // right-aligned; bits above available_ are zero
  int available_ = 0;
  const uint8_t* next_ = nullptr;
  const uint8_t* start_ = nullptr;
  const uint8_t* limit_ = nullptr;
};

class Layer12BitReader {
 public:
  // Reads from [pointer, end); bits past the end read as zeros.
  void Start(const uint8_t* pointer, const uint8_t* end) {
    next_ = pointer;
    end_ = end;
    cache_ = 0;
    available_ = 0;
    pastEnd_ = false;
  }

  // 1 <= n <= 24.
  uint32_t GetBits(int n) {
    if (available_ < n) Refill();
    available_ -= n;
    const uint32_t value = cache_ >> available_;
    cache_ &= (1u << available_) - 1;
    return value;
  }

  void SkipBits(int n);

  // True once a read needed bytes beyond the end.
  bool PastEnd() const { return pastEnd_; }

 private:
  void Refill() {
    while (available_ <= 24) {
      cache_ = cache_ << 8 | LoadByte();
      available_ += 8;
    }
  }
  uint32_t LoadByte() {
    if (next_ < end_) return *next_++;
    pastEnd_ = true;
    return 0;
  }

  const uint8_t* next_ = nullptr;
  const uint8_t* end_ = nullptr;
  uint32_t cache_ = 0;
  int available_ = 0;
  bool pastEnd_ = false;
};

}  // namespace orvana::engine
