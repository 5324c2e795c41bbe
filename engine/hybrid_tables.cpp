#include <cmath>
#include <initializer_list>

#include "engine/hybrid_filterbank.h"

namespace orvana::engine {
namespace {

HybridTables BuildHybridTables() {
  const double pi = 4.0 * std::atan(1.0);
  HybridTables t{};

  double window[4][36] = {};
  for (int i = 0; i < 36; ++i) window[0][i] = std::sin(pi / 36 * (i + 0.5));
  for (int i = 0; i < 18; ++i) window[1][i] = window[0][i];
  for (int i = 18; i < 24; ++i) window[1][i] = 1.0;
  for (int i = 24; i < 30; ++i) window[1][i] = std::sin(pi / 12 * (i - 18 + 0.5));
  for (int i = 6; i < 12; ++i) window[3][i] = std::sin(pi / 12 * (i - 6 + 0.5));
  for (int i = 12; i < 18; ++i) window[3][i] = 1.0;
  for (int i = 18; i < 36; ++i) window[3][i] = window[0][i];
  for (int i = 0; i < 12; ++i) window[2][i] = std::sin(pi / 12 * (i + 0.5));
  // Folding the core transforms' signs into the window.
  for (int row : {0, 1, 3}) {
    for (int i = 9; i < 36; ++i) window[row][i] = -window[row][i];
  }
  for (int i = 3; i < 12; ++i) window[2][i] = -window[2][i];
  for (int row = 0; row < 4; ++row) {
    for (int i = 0; i < 36; ++i) t.ImdctWindow[row][i] = static_cast<float>(window[row][i]);
  }

  static constexpr double kAliasC[8] = {-0.6, -0.535, -0.33, -0.185, -0.095, -0.041, -0.0142, -0.0037};
  for (int i = 0; i < 8; ++i) {
    const double norm = std::sqrt(1.0 + kAliasC[i] * kAliasC[i]);
    t.AliasCs[i] = static_cast<float>(1.0 / norm);
    t.AliasCa[i] = static_cast<float>(kAliasC[i] / norm);
  }

  for (int i = 0; i < 18; ++i) t.C72[i] = static_cast<float>(2.0 * std::cos((2 * i + 1) * pi / 72));
  for (int i = 0; i < 9; ++i) t.C36[i] = static_cast<float>(2.0 * std::cos((2 * i + 1) * pi / 36));
  for (int i = 0; i < 9; ++i) {
    for (int j = 0; j < 4; ++j) t.C18[i][j] = static_cast<float>(std::cos(i * (2 * j + 1) * pi / 18));
  }
  for (int i = 0; i < 6; ++i) t.C24[i] = static_cast<float>(std::cos((2 * i + 1) * pi / 24));
  for (int i = 0; i < 3; ++i) t.C12[i] = static_cast<float>(2.0 * std::cos((2 * i + 1) * pi / 12));
  t.Sqrt3 = static_cast<float>(2.0 * std::cos(pi / 6));
  return t;
}

}  // namespace

const HybridTables& GetHybridTables() {
  static const HybridTables tables = BuildHybridTables();
  return tables;
}

}  // namespace orvana::engine
