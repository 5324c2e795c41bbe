// The synthesis matrixing step: Lee's fast factorisation of the 32-point DCT.
#include <cmath>

#include "engine/synthesis.h"

namespace orvana::engine {
namespace {

// 0.5 / cos((2k + 1) pi / (2N)) for the stages N = 32, 16, 8, 4, 2.
struct DctCoefficients {
  float coef[31];
  DctCoefficients() {
    const double pi = 4.0 * std::atan(1.0);
    int at = 0;
    for (int n = 32; n >= 2; n /= 2) {
      for (int k = 0; k < n / 2; ++k)
        coef[at++] = static_cast<float>(0.5 / std::cos((2 * k + 1) * pi / (2 * n)));
    }
  }
};

constexpr int CoefOffset(int n) {
  return n == 32 ? 0 : n == 16 ? 16 : n == 8 ? 24 : n == 4 ? 28 : 30;
}

template <int N>
inline void Butterflies(const float* in, float* out, const float* coef) {
  for (int b = 0; b < 32; b += N) {
    for (int k = 0; k < N / 2; ++k) {
      const float lo = in[b + k];
      const float hi = in[b + N - 1 - k];
      out[b + k] = lo + hi;
      out[b + N / 2 + k] = (lo - hi) * coef[CoefOffset(N) + k];
    }
  }
}

template <int N>
inline void Recombine(const float* in, float* out) {
  constexpr int h = N / 2;
  for (int b = 0; b < 32; b += N) {
    for (int k = 0; k < h; ++k) out[b + 2 * k] = in[b + k];
    for (int k = 0; k < h - 1; ++k) out[b + 2 * k + 1] = in[b + h + k] + in[b + h + k + 1];
    out[b + N - 1] = in[b + N - 1];
  }
}

}  // namespace

void Dct32(const float* in, int stride, float* out) {
  static const DctCoefficients tables;
  const float* coef = tables.coef;
  // Scratch on the stack, so that engines on different threads never share it.
  float x[32], a[32], b[32];
  for (int k = 0; k < 32; ++k) x[k] = in[k * stride];
  Butterflies<32>(x, a, coef);
  Butterflies<16>(a, b, coef);
  Butterflies<8>(b, a, coef);
  Butterflies<4>(a, b, coef);
  Butterflies<2>(b, a, coef);
  Recombine<4>(a, b);
  Recombine<8>(b, a);
  Recombine<16>(a, b);
  Recombine<32>(b, out);
}

}  // namespace orvana::engine
