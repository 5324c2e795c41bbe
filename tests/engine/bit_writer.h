#pragma once
// Test helper: composes bitstreams most significant bit first.
#include <cstdint>
#include <vector>

namespace orvana::engine::testing {

class BitWriter {
 public:
  BitWriter& Put(uint32_t value, int bits) {
    for (int i = bits - 1; i >= 0; --i) {
      if (bitCount_ % 8 == 0) bytes_.push_back(0);
      if ((value >> i) & 1) bytes_.back() |= static_cast<uint8_t>(0x80 >> (bitCount_ % 8));
      ++bitCount_;
    }
    return *this;
  }
  // Bits given as text ("0101"), for code words.
  BitWriter& PutText(const char* bits) {
    for (; *bits; ++bits) Put(*bits == '1', 1);
    return *this;
  }
  size_t bitCount() const { return bitCount_; }
  // The bytes written, zero-padded to at least `size` bytes.
  std::vector<uint8_t> Bytes(size_t size = 0) const {
    std::vector<uint8_t> bytes = bytes_;
    if (bytes.size() < size) bytes.resize(size, 0);
    return bytes;
  }

 private:
  std::vector<uint8_t> bytes_;
  size_t bitCount_ = 0;
};

}  // namespace orvana::engine::testing
