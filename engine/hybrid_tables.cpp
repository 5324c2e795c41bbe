#include <cmath>
#include <initializer_list>

#include "engine/hybrid_filterbank.h"

namespace orvana::engine {
namespace {

HybridTables BuildHybridTables() {
  const double pi = 4.0 * std::atan(1.0);
  HybridTables t{};
  double window[4][36];
  for (int row = 0; row < 4; ++row) {
    for (int i = 0; i < 36; ++i) window[row][i] = StandardImdctWindow(row, i);
  }
  // Folding the core transforms' signs into the window.
  for (int row : {0, 1, 3}) {
    for (int i = 9; i < 36; ++i) window[row][i] = -window[row][i];
  }
  for (int i = 3; i < 12; ++i) window[2][i] = -window[2][i];
  for (int row = 0; row < 4; ++row) {
    for (int i = 0; i < 36; ++i) t.ImdctWindow[row][i] = static_cast<float>(window[row][i]);
  }

  static constexpr double kAliasC[8] = {-0.6,   -0.535, -0.33,   -0.185,
                                        -0.095, -0.041, -0.0142, -0.0037};
  for (int i = 0; i < 8; ++i) {
    const double norm = std::sqrt(1.0 + kAliasC[i] * kAliasC[i]);
    t.AliasCs[i] = static_cast<float>(1.0 / norm);
    t.AliasCa[i] = static_cast<float>(kAliasC[i] / norm);
  }

  for (int i = 0; i < 18; ++i) t.C72[i] = static_cast<float>(2.0 * std::cos((2 * i + 1) * pi / 72));
  for (int i = 0; i < 9; ++i) t.C36[i] = static_cast<float>(2.0 * std::cos((2 * i + 1) * pi / 36));
  for (int i = 0; i < 9; ++i) {
    for (int j = 0; j < 4; ++j)
      t.C18[i][j] = static_cast<float>(std::cos(i * (2 * j + 1) * pi / 18));
  }
  for (int i = 0; i < 6; ++i) t.C24[i] = static_cast<float>(std::cos((2 * i + 1) * pi / 24));
  for (int i = 0; i < 3; ++i) t.C12[i] = static_cast<float>(2.0 * std::cos((2 * i + 1) * pi / 12));
  t.Sqrt3 = static_cast<float>(2.0 * std::cos(pi / 6));
  return t;
}

}  // namespace

double StandardImdctWindow(int blockType, int i) {
  const double pi = 4.0 * std::atan(1.0);
  const double normal = std::sin(pi / 36 * (i + 0.5));
  switch (blockType) {
    case 1:
      if (i < 18) return normal;
      if (i < 24) return 1.0;
      if (i < 30) return std::sin(pi / 12 * (i - 18 + 0.5));
      return 0.0;
    case 2:
      return i < 12 ? std::sin(pi / 12 * (i + 0.5)) : 0.0;
    case 3:
      if (i < 6) return 0.0;
      if (i < 12) return std::sin(pi / 12 * (i - 6 + 0.5));
      if (i < 18) return 1.0;
      return normal;
    default:
      return normal;
  }
}

const HybridTables& GetHybridTables() {
  static const HybridTables tables = BuildHybridTables();
  return tables;
}

}  // namespace orvana::engine
