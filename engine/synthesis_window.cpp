#include "engine/synthesis_window.h"

namespace orvana::engine {
namespace {

struct StandardWindow {
  float d[512];
  StandardWindow() {
    static constexpr int kSixteenths[512] = {
#include "engine/synthesis_window.inc"
    };
    for (int i = 0; i < 512; ++i) d[i] = static_cast<float>(kSixteenths[i] / 65536.0);
  }
};

}  // namespace

const float* StandardSynthesisWindow() {
  static const StandardWindow window;
  return window.d;
}

void BuildSynthWindow(const float* d, float* window) {
  for (int j = 0; j < 16; ++j) {
    for (int i = 0; i < 16; ++i) window[16 * j + i] = d[j + 32 * i];
  }
  for (int t = 0; t < 8; ++t) window[256 + t] = -d[48 + 64 * t];
  FillSynthWindowLanes(window);
}

void FillSynthWindowLanes(float* window) {
  float* lanes = window + kSynthWindowLaneOffset;
  const auto at = [lanes](int table, int tap, int lane) -> float& {
    return lanes[(table * 8 + tap) * 16 + lane];
  };
  for (int t = 0; t < 8; ++t) {
    for (int j = 0; j < 16; ++j) {
      at(0, t, j) = window[16 * j + 2 * t];
      at(1, t, j) = -window[16 * j + 2 * t + 1];
    }
    at(2, t, 0) = 0.0f;
    at(3, t, 0) = window[256 + t];
    for (int k = 1; k < 16; ++k) {
      at(2, t, k) = window[16 * (16 - k) + 15 - 2 * t];
      at(3, t, k) = window[16 * (16 - k) + 14 - 2 * t];
    }
  }
}

}  // namespace orvana::engine
