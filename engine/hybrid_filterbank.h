#pragma once
// Layer III hybrid filterbank: alias reduction, IMDCT of every sub-band (long
// blocks of 18 lines or three short blocks of 6), windowing, overlap-add with
// the previous granule and frequency inversion. These are the plain kernels;
// the other implementations of the same slots are listed in kernel_families.h.
#include "engine/kernel_slots.h"
#include "engine/layer3_band_layout.h"  // kLinesPerGranule, kLinesPerSubband

namespace orvana::engine {

inline constexpr int kSubbandCount = 32;
inline constexpr int kGranuleSlots = 18;

// Constants of the filterbank, built once per process (thread-safe) and never
// changed afterwards.
struct HybridTables {
  // Rows by block type 0..3; entries 9..35 of rows 0, 1, 3 and 3..11 of row 2
  // are negated to absorb the signs of the core transforms.
  float ImdctWindow[4][36];
  float AliasCs[8];
  float AliasCa[8];
  float C72[18];    // 2 cos((2i + 1) pi / 72)
  float C36[9];     // 2 cos((2i + 1) pi / 36)
  float C18[9][4];  // cos(i (2j + 1) pi / 18)
  float C24[6];     // cos((2i + 1) pi / 24)
  float C12[3];     // 2 cos((2i + 1) pi / 12)
  float Sqrt3;      // 2 cos(pi / 6)
};
const HybridTables& GetHybridTables();

// The standard's window of block type 0..3 before any sign folding (block
// type 2: the 12-point short window in i = 0..11, zero above).
double StandardImdctWindow(int blockType, int i);

// Added to block type 1 or 3 when the granule's mixed flag is set: the two
// lowest sub-bands then take the normal window, as a mixed short block's long
// sub-bands do.
inline constexpr int kHybridMixedFlag = 4;
inline constexpr int kMixedLongSubbands = 2;

// Plain implementations of the slots of kernel_slots.h.
void AliasReduce(float* lines, int boundaries);
void LongCore(float* lines);
void ShortCore(float* lines);
// One channel, one granule (see HybridFn). `blockType` is 0..3, optionally
// with kHybridMixedFlag; limits are line counts. Other block types and limits
// outside 0..576 are clamped. Sub-bands from the
// returned count up to `sbLimit` - 1 are cleared in `out`.
int Hybrid(const KernelSlots& kernels, float* cur, const float* prev, float* out, int blockType,
           int longLimit, int shortLimit, int prevCount, int sbLimit);

// Negates the odd time slots of the odd sub-bands below ceil(count / 18).
void FrequencyInvert(float* out, int count);

}  // namespace orvana::engine
