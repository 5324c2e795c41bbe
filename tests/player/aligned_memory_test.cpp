#include "player/aligned_memory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "player/assertion.h"

namespace orvana::player {
namespace {

TEST(AlignedMemory, BlocksAreAlignedWritableAndFreedThroughTheKeptPointer) {
  // Under AddressSanitizer a wrong raw pointer or a write past the block fails.
  for (const std::size_t alignment : {1u, 2u, 4u, 8u, 16u, 64u, 4096u}) {
    std::vector<void*> blocks;
    for (const std::size_t size : {0u, 1u, 3u, 8u, 5120u, 65536u}) {
      void* block = AlignedAlloc(size, alignment);
      ASSERT_NE(block, nullptr);
      EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % alignment, 0u) << alignment;
      std::memset(block, 0xA5, size);
      blocks.push_back(block);
    }
    for (void* block : blocks) AlignedFree(block);
  }
  AlignedFree(nullptr);
}

TEST(AlignedMemory, RefusesBadAlignmentsAndImpossibleSizes) {
  EXPECT_THROW(AlignedAlloc(10, 0), EAssertionFailed);
  EXPECT_THROW(AlignedAlloc(10, 12), EAssertionFailed);
  EXPECT_THROW(AlignedAlloc(static_cast<std::size_t>(-1) - 4, 8), std::bad_alloc);
}

TEST(AlignedMemory, BlockOwnerMovesWithoutDoubleFree) {
  TAlignedBlock first(5120, 8);
  std::uint8_t* data = first.data();
  TAlignedBlock second(std::move(first));
  EXPECT_EQ(second.data(), data);
  EXPECT_FALSE(first);
  TAlignedBlock third(16, 8);
  third = std::move(second);
  EXPECT_EQ(third.data(), data);
  EXPECT_EQ(third.size(), 5120u);
}

TEST(Assertion, MessageNamesThePlayerAndTheCallersLine) {
  const int line = __LINE__ + 2;
  try {
    MPAssert(false);
    FAIL();
  } catch (const EAssertionFailed& failure) {
    EXPECT_EQ(failure.Line(), line);
    EXPECT_EQ(std::string(failure.what()), "Assertion failure (mp3plyr, line " + std::to_string(line) + ")");
  }
  EXPECT_NO_THROW(MPAssert(true));
  EXPECT_THROW(MPAssert(false, 42), EAssertionFailed);
}

}  // namespace
}  // namespace orvana::player
