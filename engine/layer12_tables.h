#pragma once
// Constant tables of Layer I and II decoding: the quantisers of both layers,
// the allocation layouts (Layer I and the five Layer II tables) and their
// choice by bit rate and sampling frequency, the joint-stereo bound and the
// scale factors. Every factor is in the scale of 16-bit PCM.
#include <array>
#include <cstdint>

#include "engine/frame_header.h"

namespace orvana::engine {

inline constexpr int kLayer12Subbands = 32;
inline constexpr int kLayer12ScaleFactors = 64;

// How the samples of one sub-band are coded. A plain code of codeBits bits is
// one sample, value code - offset; a grouped code (triples set) holds three
// samples, looked up as triples[3 code .. 3 code + 2] with the offset already
// taken off. A sample's amplitude is value * stepFactor * scale factor.
struct Layer12Quantizer {
  uint8_t codeBits = 0;     // 0: no allocation
  uint8_t granuleBits = 0;  // bits of one granule of the sub-band
  int32_t offset = 0;
  float stepFactor = 0;             // 2 / steps
  const int8_t* triples = nullptr;  // every code of codeBits bits has an entry
};

// Allocation codes map to quantisers through 16-entry maps, so that a code of
// any width stays inside its map.
using Layer12ClassMap = std::array<uint8_t, 16>;

struct Layer12AllocationGroup {
  uint8_t subbands = 0;
  uint8_t codeBits = 0;  // bits of one allocation code
  const Layer12ClassMap* classOf = nullptr;
};

struct Layer12AllocationLayout {
  const Layer12Quantizer* quantizers;  // indexed by the maps' classes
  int subbands;                        // sub-bands with an allocation
  Layer12AllocationGroup groups[4];
};

// Layer II quantiser classes 1..17 (3, 5, 7, 9, 15, 31, ... 65535 steps;
// 3, 5 and 9 steps grouped), class 0 for no allocation.
extern const Layer12Quantizer kLayer2Quantizers[18];
// Layer I by allocation a: a + 1 bits, 2^(a + 1) - 1 steps; the forbidden
// allocation 15 reads its 16 bits and plays silence.
extern const Layer12Quantizer kLayer1Quantizers[16];

extern const Layer12AllocationLayout kLayer1Allocation;
// Tables 0..3 of MPEG-1 (27, 30, 8 and 12 sub-bands), table 4 of the low
// sampling frequencies (30 sub-bands).
extern const Layer12AllocationLayout kLayer2Allocations[5];

// The Layer II table of an MPEG-1 stream by [single channel][sampleRateIndex]
// [bitrateIndex]; -1 for a combination no table covers.
extern const int8_t kLayer2TableChoice[2][3][16];

// The allocation layout that decodes frames of `header`, nullptr when none
// does (a Layer II bit rate not allowed for the mode, a reserved sampling
// frequency, a layer other than I and II).
const Layer12AllocationLayout* AllocationLayoutFor(const FrameHeader& header);

// First sub-band whose allocation and samples both channels share: 4, 8, 12
// or 16 in joint stereo, 32 otherwise.
int JointStereoBound(int mode, int modeExtension);

// 2^(-i / 3) * 65536.
extern const std::array<float, kLayer12ScaleFactors> kLayer12ScaleFactor;

}  // namespace orvana::engine
