#pragma once
// Milliseconds on the monotonic clock, for intervals (never wall time).
#include <cstdint>

namespace orvana::platform {

int64_t TickCount();

}  // namespace orvana::platform
