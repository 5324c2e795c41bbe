#pragma once
// The hybrid filterbank's formulas, written once for every kernel family:
// `Real` is the precision the family computes in (double stands for the
// floating-point unit's extended precision, float for single precision) and
// `Order` the association order of its sums.
#include <algorithm>

#include "engine/hybrid_filterbank.h"

namespace orvana::engine::hybrid {

// Sums left to right, as the formulas are written.
struct SequentialOrder {
  template <typename R>
  static R Add3(R a, R b, R c) {
    return (a + b) + c;
  }
  template <typename R>
  static R Sum4(R a, R b, R c, R d) {
    return ((a + b) + c) + d;
  }
};

// Sums in pairs, the order of a two-pipe schedule.
struct PairwiseOrder {
  template <typename R>
  static R Add3(R a, R b, R c) {
    return a + (b + c);
  }
  template <typename R>
  static R Sum4(R a, R b, R c, R d) {
    return (a + b) + (c + d);
  }
};

template <typename Real>
void AliasReduceWith(float* lines, int boundaries) {
  const HybridTables& tables = GetHybridTables();
  boundaries = std::clamp(boundaries, 0, kSubbandCount - 1);
  for (int s = 0; s < boundaries; ++s) {
    float* upper = lines + kLinesPerSubband * s + 17;  // read downwards
    float* lower = lines + kLinesPerSubband * (s + 1);
    for (int j = 0; j < 8; ++j) {
      const Real a = upper[-j];
      const Real b = lower[j];
      const Real cs = tables.AliasCs[j];
      const Real ca = tables.AliasCa[j];
      upper[-j] = static_cast<float>(a * cs - b * ca);
      lower[j] = static_cast<float>(b * cs + a * ca);
    }
  }
}

// 36-point IMDCT of 18 lines, folded to 18 values (see LongCoreFn).
template <typename Real, typename Order>
void LongCoreWith(float* y) {
  const HybridTables& tables = GetHybridTables();
  Real x[18];
  for (int k = 0; k < 18; ++k) x[k] = static_cast<Real>(tables.C72[k]) * y[k];

  // The butterfly values are rounded to single precision.
  Real s[4], t[4], d[4], q[4];
  for (int n = 0; n < 4; ++n) {
    const Real a = x[n] + x[17 - n];
    const Real b = x[8 - n] + x[9 + n];
    const Real dm = (x[n] - x[17 - n]) * static_cast<Real>(tables.C36[n]);
    const Real dn = (x[8 - n] - x[9 + n]) * static_cast<Real>(tables.C36[8 - n]);
    s[n] = static_cast<float>(a + b);
    t[n] = static_cast<float>(a - b);
    d[n] = static_cast<float>(dm + dn);
    q[n] = static_cast<float>(dm - dn);
  }
  const Real g = static_cast<float>(x[4] + x[13]);
  const Real h = static_cast<float>((x[4] - x[13]) * static_cast<Real>(tables.C36[4]));

  const auto sigma = [&](int r, const Real* v) {
    const auto* c = tables.C18[r];
    return Order::Sum4(static_cast<Real>(c[0]) * v[0], static_cast<Real>(c[1]) * v[1],
                       static_cast<Real>(c[2]) * v[2], static_cast<Real>(c[3]) * v[3]);
  };
  const Real c30 = tables.C18[3][0];
  const Real half = 0.5;

  Real r[18];
  r[0] = half * (Order::Sum4(s[0], s[1], s[2], s[3]) + g);
  Real odd = half * (Order::Sum4(d[0], d[1], d[2], d[3]) + h);
  r[1] = odd - r[0];
  r[2] = sigma(1, t) - r[1];
  odd = sigma(1, q) - odd;
  r[3] = odd - r[2];
  r[4] = sigma(2, s) - g - r[3];
  odd = sigma(2, d) - h - odd;
  r[5] = odd - r[4];
  r[6] = c30 * Order::Add3(t[0], -t[2], -t[3]) - r[5];
  odd = c30 * Order::Add3(q[0], -q[2], -q[3]) - odd;
  r[7] = odd - r[6];
  r[8] = g + sigma(4, s) - r[7];
  odd = h + sigma(4, d) - odd;
  r[9] = odd - r[8];
  r[10] = sigma(5, t) - r[9];
  odd = sigma(5, q) - odd;
  r[11] = odd - r[10];
  r[12] = half * Order::Add3(s[0], s[2], s[3]) - s[1] - g - r[11];
  odd = half * Order::Add3(d[0], d[2], d[3]) - d[1] - h - odd;
  r[13] = odd - r[12];
  r[14] = sigma(7, t) - r[13];
  odd = sigma(7, q) - odd;
  r[15] = odd - r[14];
  r[16] = g + sigma(8, s) - r[15];
  r[17] = h + sigma(8, d) - odd - r[16];
  for (int k = 0; k < 18; ++k) y[k] = static_cast<float>(r[k]);
}

// Three 12-point IMDCTs of interleaved short-block lines (see ShortCoreFn).
template <typename Real, typename Order>
void ShortCoreWith(float* y) {
  const HybridTables& tables = GetHybridTables();
  float in[18];
  std::copy(y, y + 18, in);
  const Real sqrt3 = tables.Sqrt3;
  for (int w = 0; w < 3; ++w) {
    const auto x = [&](int k) { return static_cast<Real>(in[3 * k + w]); };
    const Real a = tables.C24[0] * x(0), b = tables.C24[5] * x(5);
    const Real c = tables.C24[2] * x(2), d = tables.C24[3] * x(3);
    const Real f = tables.C24[1] * x(1), k = tables.C24[4] * x(4);
    const float p = static_cast<float>(a + b);
    const float q = static_cast<float>(c + d);
    const Real bigP = static_cast<Real>(p) + q;
    const float bigQ = static_cast<float>(f + k);
    const float pd = static_cast<float>((a - b) * static_cast<Real>(tables.C12[0]));
    const float qd = static_cast<float>((c - d) * static_cast<Real>(tables.C12[2]));
    const float rd = static_cast<float>((f - k) * static_cast<Real>(tables.C12[1]));
    const Real odd =
        Order::Add3(static_cast<Real>(pd), static_cast<Real>(qd), static_cast<Real>(rd));
    const Real turn = sqrt3 * (static_cast<Real>(pd) - qd) - odd;
    float* out = y + 6 * w;
    const Real y0 = bigP + bigQ;
    const Real y1 = odd - y0;
    const Real y2 = sqrt3 * (static_cast<Real>(p) - q) - y1;
    const Real y3 = turn - y2;
    const Real y4 = bigP - 2 * static_cast<Real>(bigQ) - y3;
    const Real y5 = static_cast<Real>(pd) + qd - 2 * static_cast<Real>(rd) - turn - y4;
    out[0] = static_cast<float>(y0);
    out[1] = static_cast<float>(y1);
    out[2] = static_cast<float>(y2);
    out[3] = static_cast<float>(y3);
    out[4] = static_cast<float>(y4);
    out[5] = static_cast<float>(y5);
  }
}

inline int SubbandsCovering(int lines) {
  return (std::clamp(lines, 0, kLinesPerGranule) + 17) / kLinesPerSubband;
}

// Windowing and overlap-add of one long sub-band after LongCore.
template <typename Real>
void OverlapLong(const float* window, float* cur, const float* prev, float* out) {
  float y[18];
  std::copy(cur, cur + 18, y);
  for (int t = 0; t < 9; ++t) {
    out[32 * t] = static_cast<float>(prev[t] + static_cast<Real>(window[t]) * y[t + 9]);
  }
  for (int t = 9; t < 18; ++t) {
    out[32 * t] = static_cast<float>(prev[t] + static_cast<Real>(window[t]) * y[26 - t]);
  }
  for (int t = 0; t < 9; ++t)
    cur[t] = static_cast<float>(static_cast<Real>(window[18 + t]) * y[8 - t]);
  for (int t = 9; t < 18; ++t)
    cur[t] = static_cast<float>(static_cast<Real>(window[18 + t]) * y[t - 9]);
}

// Windowing and overlap-add of one short sub-band after ShortCore.
template <typename Real, typename Order>
void OverlapShort(const float* ws, float* cur, const float* prev, float* out) {
  float y[18];
  std::copy(cur, cur + 18, y);
  const auto w = [ws](int i) { return static_cast<Real>(ws[i]); };
  for (int t = 0; t < 6; ++t) out[32 * t] = prev[t];
  for (int t = 6; t < 9; ++t) out[32 * t] = static_cast<float>(w(t - 6) * y[t - 3] + prev[t]);
  for (int t = 9; t < 12; ++t) out[32 * t] = static_cast<float>(w(t - 6) * y[14 - t] + prev[t]);
  for (int t = 12; t < 15; ++t) {
    out[32 * t] = static_cast<float>(
        Order::Add3(w(t - 6) * y[14 - t], w(t - 12) * y[t - 3], static_cast<Real>(prev[t])));
  }
  for (int t = 15; t < 18; ++t) {
    out[32 * t] = static_cast<float>(
        Order::Add3(w(t - 6) * y[t - 15], w(t - 12) * y[26 - t], static_cast<Real>(prev[t])));
  }
  for (int i = 0; i < 3; ++i) {
    cur[i] = static_cast<float>(w(6 + i) * y[8 - i] + w(i) * y[15 + i]);
    cur[3 + i] = static_cast<float>(w(9 + i) * y[6 + i] + w(3 + i) * y[17 - i]);
    cur[6 + i] = static_cast<float>(w(6 + i) * y[14 - i]);
    cur[9 + i] = static_cast<float>(w(9 + i) * y[12 + i]);
  }
  std::fill(cur + 12, cur + 18, 0.0f);
}

// The window of each long sub-band: the block type's row, except for the
// low sub-bands of mixed blocks, which take the normal one.
class LongWindowChoice {
 public:
  explicit LongWindowChoice(int blockType)
      : row_(std::clamp(blockType & ~kHybridMixedFlag, 0, 3)),
        normalLow_(blockType > 0 && (blockType & kHybridMixedFlag) != 0) {
    if (row_ == 2) row_ = 0;
  }
  int RowFor(int sb) const { return normalLow_ && sb < kMixedLongSubbands ? 0 : row_; }

 private:
  int row_;
  bool normalLow_;
};

// The granule walk shared by every Hybrid implementation: long sub-bands, then
// short ones, then those that only play the previous granule's tail, then
// silence up to `sbLimit`. `longSubband(sb)` and `shortSubband(sb)` transform
// one sub-band of `cur`, write its 18 outputs and leave its overlap in `cur`.
template <typename LongSubband, typename ShortSubband>
int WalkGranule(float* cur, const float* prev, float* out, int longLimit, int shortLimit,
                int prevCount, int sbLimit, LongSubband longSubband, ShortSubband shortSubband) {
  const int longEnd = SubbandsCovering(longLimit);
  const int shortEnd = std::max(longEnd, SubbandsCovering(shortLimit));
  const int overlapEnd = std::max(shortEnd, SubbandsCovering(prevCount));
  int sb = 0;
  for (; sb < longEnd; ++sb) longSubband(sb);
  for (; sb < shortEnd; ++sb) shortSubband(sb);
  for (; sb < overlapEnd; ++sb) {
    // Only the previous granule's tail sounds here; the new overlap is zero
    // (cleared explicitly so that stray lines can never leak into it).
    const float* tail = prev + kLinesPerSubband * sb;
    for (int t = 0; t < kGranuleSlots; ++t) out[32 * t + sb] = tail[t];
    std::fill(cur + kLinesPerSubband * sb, cur + kLinesPerSubband * (sb + 1), 0.0f);
  }
  const int silentEnd = std::clamp(sbLimit, 0, kSubbandCount);
  for (int s = sb; s < silentEnd; ++s) {
    for (int t = 0; t < kGranuleSlots; ++t) out[32 * t + s] = 0.0f;
  }
  return kLinesPerSubband * overlapEnd;
}

// Hybrid through the kernel slots' core transforms and the folded windows.
template <typename Real, typename Order>
int HybridWith(const KernelSlots& kernels, float* cur, const float* prev, float* out, int blockType,
               int longLimit, int shortLimit, int prevCount, int sbLimit) {
  const HybridTables& tables = GetHybridTables();
  const LongWindowChoice longWindow(blockType);
  const LongCoreFn longCore = kernels.LongCore.run ? kernels.LongCore.run : &LongCore;
  const ShortCoreFn shortCore = kernels.ShortCore.run ? kernels.ShortCore.run : &ShortCore;
  return WalkGranule(
      cur, prev, out, longLimit, shortLimit, prevCount, sbLimit,
      [&](int sb) {
        float* lines = cur + kLinesPerSubband * sb;
        longCore(lines);
        OverlapLong<Real>(tables.ImdctWindow[longWindow.RowFor(sb)], lines,
                          prev + kLinesPerSubband * sb, out + sb);
      },
      [&](int sb) {
        float* lines = cur + kLinesPerSubband * sb;
        shortCore(lines);
        OverlapShort<Real, Order>(tables.ImdctWindow[2], lines, prev + kLinesPerSubband * sb,
                                  out + sb);
      });
}

}  // namespace orvana::engine::hybrid
