#pragma once
// The synthesis window D[] and the layouts the windowing kernels read it in.
#include "engine/synthesis.h"

namespace orvana::engine {

// D[0..511] of the standard, exact multiples of 1/65536.
const float* StandardSynthesisWindow();

// Fills a complete kSynthWindowSize window from D[0..511]: the reading order,
// then the lane layout.
void BuildSynthWindow(const float* d, float* window);

// Recomputes the lane layout (entries kSynthWindowLaneOffset..) from the
// reading order. Lane tables, 8 taps of 16 lanes each:
//   [0] outputs 0..15, even chain: W[16 j + 2 t]
//   [1] outputs 0..15, odd chain, negated: -W[16 j + 2 t + 1]
//   [2] outputs 16..31 (lane k), even chain: 0 for k = 0, else W[16 (16 - k) + 15 - 2 t]
//   [3] outputs 16..31 (lane k), odd chain: W[256 + t] for k = 0, else W[16 (16 - k) + 14 - 2 t]
void FillSynthWindowLanes(float* window);

inline const float* SynthWindowLane(const float* window, int table, int tap) {
  return window + kSynthWindowLaneOffset + (table * 8 + tap) * 16;
}

}  // namespace orvana::engine
