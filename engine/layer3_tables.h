#pragma once
// Constant tables of Layer III requantisation and stereo processing, built
// once. Every value is in the scale of 16-bit PCM (the 2^15 is folded into
// the gain table).
#include <cstdint>

namespace orvana::engine {

struct Layer3Tables {
  // gainTable[g + 6] = 2^((g - 150) / 4) for a stored global_gain g (-6..255).
  float gainTable[262];
  // [scalefac_scale][pre-emphasis][scale factor]: 2^(-0.5 (1 + scale) (pre + sf)).
  float scaleTable[2][4][32];
  // powTable[x + kPowTableOffset] = x |x|^(1/3) for the common values
  // -256..255; larger ones (up to 8206 with linbits) are computed.
  static constexpr int kPowTableOffset = 256;
  float powTable[2 * kPowTableOffset];
  float subblockGainTable[8];  // 2^(-2 i)
  // MPEG-1 intensity (kl, kr) by [mid/side on][position]; position 7 is none.
  float isRatio[2][8][2];
  // Low-sampling-frequency intensity (kl, kr) by [intensityScale][mid/side
  // on][2^slen - 1 + position].
  float lsfRatio[2][2][64][2];
};

// Pre-emphasis per long band.
extern const int8_t kPreTab[22];

void BuildLayer3Tables(Layer3Tables& tables);

}  // namespace orvana::engine
