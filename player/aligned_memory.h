#pragma once
// Aligned blocks for the reader's ring and the player's PCM buffer, which the
// engine's per-processor kernels want 8-byte aligned.
#include <cstddef>
#include <cstdint>

namespace orvana::player {

// `alignment` must be a power of two. The raw allocation's address is kept
// in full just below the block. Raises std::bad_alloc when memory runs out.
void* AlignedAlloc(std::size_t size, std::size_t alignment);
void AlignedFree(void* block) noexcept;

// Owns one aligned block of bytes.
class TAlignedBlock {
 public:
  TAlignedBlock() = default;
  TAlignedBlock(std::size_t size, std::size_t alignment)
      : data_(static_cast<std::uint8_t*>(AlignedAlloc(size, alignment))), size_(size) {}
  ~TAlignedBlock() { AlignedFree(data_); }
  TAlignedBlock(TAlignedBlock&& other) noexcept : data_(other.data_), size_(other.size_) {
    other.data_ = nullptr;
    other.size_ = 0;
  }
  TAlignedBlock& operator=(TAlignedBlock&& other) noexcept {
    if (this != &other) {
      AlignedFree(data_);
      data_ = other.data_;
      size_ = other.size_;
      other.data_ = nullptr;
      other.size_ = 0;
    }
    return *this;
  }
  TAlignedBlock(const TAlignedBlock&) = delete;
  TAlignedBlock& operator=(const TAlignedBlock&) = delete;

  std::uint8_t* data() const noexcept { return data_; }
  std::size_t size() const noexcept { return size_; }
  explicit operator bool() const noexcept { return data_ != nullptr; }

 private:
  std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
};

}  // namespace orvana::player
