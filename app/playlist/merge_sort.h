#pragma once
// A stable merge sort over item indices. It asks only "which comes first?"
// of a comparison returning -1, 0 or +1, and whatever the answers (even
// random ones, as the shuffle gives) it ends after n log n questions with
// every index exactly once.
#include <algorithm>
#include <cstddef>
#include <numeric>
#include <vector>

namespace orvana::app {

// The order of 0..count-1 by `compare(a, b)` (negative: a first, positive: b
// first, 0: keep their order), as newOrder[newIndex] == oldIndex.
template <class TCompare>
std::vector<int> MergeSortOrder(int count, TCompare&& compare) {
  const std::size_t size = count > 0 ? static_cast<std::size_t>(count) : 0;
  std::vector<int> order(size);
  std::iota(order.begin(), order.end(), 0);
  std::vector<int> merged(size);
  // Bottom up: each pass merges neighbouring runs of `width` into one, so
  // every pass is a permutation of the one before.
  for (std::size_t width = 1; width < size; width *= 2) {
    for (std::size_t low = 0; low < size; low += 2 * width) {
      const std::size_t middle = std::min(low + width, size);
      const std::size_t high = std::min(low + 2 * width, size);
      std::size_t left = low, right = middle, out = low;
      while (left < middle && right < high)
        merged[out++] = compare(order[left], order[right]) > 0 ? order[right++] : order[left++];
      while (left < middle) merged[out++] = order[left++];
      while (right < high) merged[out++] = order[right++];
    }
    order.swap(merged);
  }
  return order;
}

}  // namespace orvana::app
