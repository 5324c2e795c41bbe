#pragma once
// Interlocked counters: atomic increment and decrement that return the new
// value, for counts changed by two threads without a common lock.
#include <atomic>
#include <cstdint>

namespace orvana::platform {

inline int32_t InterlockedIncrement(std::atomic<int32_t>& counter) { return counter.fetch_add(1) + 1; }
inline int32_t InterlockedDecrement(std::atomic<int32_t>& counter) { return counter.fetch_sub(1) - 1; }

}  // namespace orvana::platform
