#include "engine/layer3_tables.h"

#include <cmath>

namespace orvana::engine {

const int8_t kPreTab[22] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 3, 3, 3, 2, 0};

namespace {

void BuildIntensityRatios(Layer3Tables& tables) {
  const double pi = 4.0 * std::atan(1.0);
  for (int position = 0; position < 7; ++position) {
    const double sn = std::sin(position * pi / 12);
    const double cs = std::cos(position * pi / 12);
    for (int ms = 0; ms < 2; ++ms) {
      const double m = ms ? std::sqrt(2.0) : 1.0;
      tables.isRatio[ms][position][0] = static_cast<float>(sn / (sn + cs) * m);
      tables.isRatio[ms][position][1] = static_cast<float>(cs / (sn + cs) * m);
    }
  }
  tables.isRatio[0][7][0] = 1.0f;
  tables.isRatio[0][7][1] = 0.0f;
  tables.isRatio[1][7][0] = 1.0f;
  tables.isRatio[1][7][1] = 1.0f;

  for (int scale = 0; scale < 2; ++scale) {
    const double io = std::pow(2.0, -(scale + 1) / 4.0);
    for (int ms = 0; ms < 2; ++ms) {
      const double m = ms ? std::sqrt(2.0) : 1.0;
      float(*ratio)[2] = tables.lsfRatio[scale][ms];
      for (int bits = 0; bits <= 5; ++bits) {
        const int first = (1 << bits) - 1;
        const int size = 1 << bits;
        for (int j = 0; j < size; ++j) {
          double kl = m, kr = m;
          if (j % 2 == 1)
            kl = std::pow(io, (j + 1) / 2) * m;
          else if (j > 0)
            kr = std::pow(io, j / 2) * m;
          ratio[first + j][0] = static_cast<float>(kl);
          ratio[first + j][1] = static_cast<float>(kr);
        }
        // The largest position of each length means "no intensity".
        ratio[first + size - 1][0] = 1.0f;
        ratio[first + size - 1][1] = ms ? 1.0f : 0.0f;
      }
    }
  }
}

}  // namespace

void BuildLayer3Tables(Layer3Tables& tables) {
  for (int i = 0; i < 262; ++i)
    tables.gainTable[i] = static_cast<float>(std::pow(2.0, (i - 156) / 4.0));
  for (int scale = 0; scale < 2; ++scale)
    for (int pre = 0; pre < 4; ++pre)
      for (int sf = 0; sf < 32; ++sf)
        tables.scaleTable[scale][pre][sf] =
            static_cast<float>(std::pow(2.0, -0.5 * (1 + scale) * (pre + sf)));
  constexpr int offset = Layer3Tables::kPowTableOffset;
  for (int x = -offset; x < offset; ++x)
    tables.powTable[x + offset] = static_cast<float>(x * std::cbrt(std::abs(x)));
  for (int i = 0; i < 8; ++i) tables.subblockGainTable[i] = static_cast<float>(std::pow(2.0, -2 * i));
  BuildIntensityRatios(tables);
}

}  // namespace orvana::engine
