#include "player/aligned_memory.h"

#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

#include "player/assertion.h"

namespace orvana::player {

namespace {
constexpr std::size_t kPointerSize = sizeof(void*);
}

void* AlignedAlloc(std::size_t size, std::size_t alignment) {
  MPAssert(alignment > 0 && (alignment & (alignment - 1)) == 0);
  const std::size_t extra = alignment + kPointerSize - 1;
  if (size > std::numeric_limits<std::size_t>::max() - extra) throw std::bad_alloc();
  void* raw = std::malloc(size + extra);
  if (raw == nullptr) throw std::bad_alloc();
  const std::uintptr_t lowest = reinterpret_cast<std::uintptr_t>(raw) + kPointerSize;
  const std::uintptr_t aligned = (lowest + alignment - 1) & ~(std::uintptr_t{alignment} - 1);
  auto* block = reinterpret_cast<std::uint8_t*>(aligned);
  // The slot below the block need not be pointer-aligned for small alignments.
  std::memcpy(block - kPointerSize, &raw, kPointerSize);
  return block;
}

void AlignedFree(void* block) noexcept {
  if (block == nullptr) return;
  void* raw;
  std::memcpy(&raw, static_cast<std::uint8_t*>(block) - kPointerSize, kPointerSize);
  std::free(raw);
}

}  // namespace orvana::player
