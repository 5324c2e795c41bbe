#pragma once
// The program's pseudo-random generator: seeded once from the clock at
// start-up, or with a fixed seed where a repeatable sequence is wanted.
#include <cstdint>

namespace orvana::app {

class TRandom {
 public:
  // Seeded from the clock: the program makes one at start-up.
  TRandom();
  explicit TRandom(std::uint64_t seed) : state_(seed) {}

  std::uint64_t Next();
  // 0 <= result < bound; bound > 0.
  int Below(int bound);

 private:
  std::uint64_t state_;
};

}  // namespace orvana::app
