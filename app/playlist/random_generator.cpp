#include "app/playlist/random_generator.h"

#include <chrono>

namespace orvana::app {

TRandom::TRandom() : state_(static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count())) {}

// SplitMix64: small, fast, and every seed (0 included) gives a good sequence.
std::uint64_t TRandom::Next() {
  std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

int TRandom::Below(int bound) {
  // The high 32 bits scaled to the bound: the bias is below 2^-32 * bound.
  return static_cast<int>(((Next() >> 32) * static_cast<std::uint64_t>(bound)) >> 32);
}

}  // namespace orvana::app
