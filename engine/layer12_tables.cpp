#include "engine/layer12_tables.h"

namespace orvana::engine {

namespace {

// Three samples of `Levels` steps in one code, first sample in the lowest
// digit. Codes beyond the last valid one (hostile input) still decompose into
// in-range digits.
template <int Levels, int Codes>
constexpr std::array<int8_t, 3 * Codes> MakeTriples() {
  std::array<int8_t, 3 * Codes> triples{};
  for (int code = 0; code < Codes; ++code) {
    int rest = code;
    for (int k = 0; k < 3; ++k) {
      triples[3 * code + k] = static_cast<int8_t>(rest % Levels - Levels / 2);
      rest /= Levels;
    }
  }
  return triples;
}

constexpr auto kTriplesOf3 = MakeTriples<3, 32>();
constexpr auto kTriplesOf5 = MakeTriples<5, 128>();
constexpr auto kTriplesOf9 = MakeTriples<9, 1024>();

constexpr Layer12Quantizer Plain(int bits, int samplesPerGranule) {
  const int steps = (1 << bits) - 1;
  return {static_cast<uint8_t>(bits), static_cast<uint8_t>(bits * samplesPerGranule),
          (steps - 1) / 2, 2.0f / static_cast<float>(steps), nullptr};
}

constexpr Layer12Quantizer Grouped(int steps, int bits, const int8_t* triples) {
  return {static_cast<uint8_t>(bits), static_cast<uint8_t>(bits), 0,
          2.0f / static_cast<float>(steps), triples};
}

constexpr int kLayer2GranuleSamples = 3;

constexpr Layer12ClassMap kLowClasses = {0, 1, 3, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17};
constexpr Layer12ClassMap kMiddleClasses = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 17};
constexpr Layer12ClassMap kHighClasses = {0, 1, 2, 3, 4, 5, 6, 17};
constexpr Layer12ClassMap kTopClasses = {0, 1, 2, 17};
// Tables 2 and 3 (low bit rates).
constexpr Layer12ClassMap kNarrowLowClasses = {0, 1,  2,  4,  5,  6,  7,  8,
                                               9, 10, 11, 12, 13, 14, 15, 16};
constexpr Layer12ClassMap kNarrowHighClasses = {0, 1, 2, 4, 5, 6, 7, 8};
// Table 4 (low sampling frequencies).
constexpr Layer12ClassMap kLsfLowClasses = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
constexpr Layer12ClassMap kLsfTopClasses = {0, 1, 2, 4};
// Layer I: the allocation is the quantiser.
constexpr Layer12ClassMap kLayer1Classes = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};

constexpr double kCubeRootsOfHalf[3] = {1.0, 0.79370052598409973738, 0.62996052494743658238};

constexpr std::array<float, kLayer12ScaleFactors> MakeScaleFactors() {
  std::array<float, kLayer12ScaleFactors> factors{};
  for (int i = 0; i < kLayer12ScaleFactors; ++i)
    factors[i] = static_cast<float>(65536.0 * kCubeRootsOfHalf[i % 3] / (1 << (i / 3)));
  return factors;
}

}  // namespace

const Layer12Quantizer kLayer2Quantizers[18] = {
    {},
    Grouped(3, 5, kTriplesOf3.data()),
    Grouped(5, 7, kTriplesOf5.data()),
    Plain(3, kLayer2GranuleSamples),
    Grouped(9, 10, kTriplesOf9.data()),
    Plain(4, kLayer2GranuleSamples),
    Plain(5, kLayer2GranuleSamples),
    Plain(6, kLayer2GranuleSamples),
    Plain(7, kLayer2GranuleSamples),
    Plain(8, kLayer2GranuleSamples),
    Plain(9, kLayer2GranuleSamples),
    Plain(10, kLayer2GranuleSamples),
    Plain(11, kLayer2GranuleSamples),
    Plain(12, kLayer2GranuleSamples),
    Plain(13, kLayer2GranuleSamples),
    Plain(14, kLayer2GranuleSamples),
    Plain(15, kLayer2GranuleSamples),
    Plain(16, kLayer2GranuleSamples),
};

const Layer12Quantizer kLayer1Quantizers[16] = {
    {},           Plain(2, 1),  Plain(3, 1),  Plain(4, 1),
    Plain(5, 1),  Plain(6, 1),  Plain(7, 1),  Plain(8, 1),
    Plain(9, 1),  Plain(10, 1), Plain(11, 1), Plain(12, 1),
    Plain(13, 1), Plain(14, 1), Plain(15, 1), {16, 16, 0, 0.0f, nullptr},
};

const Layer12AllocationLayout kLayer1Allocation = {
    kLayer1Quantizers, 32, {{32, 4, &kLayer1Classes}, {}, {}, {}}};

const Layer12AllocationLayout kLayer2Allocations[5] = {
    {kLayer2Quantizers,
     27,
     {{3, 4, &kLowClasses}, {8, 4, &kMiddleClasses}, {12, 3, &kHighClasses}, {4, 2, &kTopClasses}}},
    {kLayer2Quantizers,
     30,
     {{3, 4, &kLowClasses}, {8, 4, &kMiddleClasses}, {12, 3, &kHighClasses}, {7, 2, &kTopClasses}}},
    {kLayer2Quantizers, 8, {{2, 4, &kNarrowLowClasses}, {6, 3, &kNarrowHighClasses}, {}, {}}},
    {kLayer2Quantizers, 12, {{2, 4, &kNarrowLowClasses}, {10, 3, &kNarrowHighClasses}, {}, {}}},
    {kLayer2Quantizers,
     30,
     {{4, 4, &kLsfLowClasses}, {7, 3, &kNarrowHighClasses}, {19, 2, &kLsfTopClasses}, {}}},
};

// Rows by sampling frequency 44.1, 48, 32 kHz; columns by bit rate index.
const int8_t kLayer2TableChoice[2][3][16] = {
    {
        // Two channels: the bit rate is shared by both.
        {1, -1, -1, -1, 2, -1, 2, 0, 0, 0, 1, 1, 1, 1, 1, -1},
        {0, -1, -1, -1, 2, -1, 2, 0, 0, 0, 0, 0, 0, 0, 0, -1},
        {1, -1, -1, -1, 3, -1, 3, 0, 0, 0, 1, 1, 1, 1, 1, -1},
    },
    {
        // Single channel.
        {1, 2, 2, 0, 0, 0, 1, 1, 1, 1, 1, -1, -1, -1, -1, -1},
        {0, 2, 2, 0, 0, 0, 0, 0, 0, 0, 0, -1, -1, -1, -1, -1},
        {1, 3, 3, 0, 0, 0, 1, 1, 1, 1, 1, -1, -1, -1, -1, -1},
    },
};

const std::array<float, kLayer12ScaleFactors> kLayer12ScaleFactor = MakeScaleFactors();

const Layer12AllocationLayout* AllocationLayoutFor(const FrameHeader& header) {
  if (header.sampleRateIndex < 0 || header.sampleRateIndex > 2 || header.bitrateIndex < 0 ||
      header.bitrateIndex > 15)
    return nullptr;
  if (header.layerCode == kLayerICode) return &kLayer1Allocation;
  if (header.layerCode != kLayerIICode) return nullptr;
  constexpr int kLowSamplingFrequencyTable = 4;
  if (header.versionId == 0) return &kLayer2Allocations[kLowSamplingFrequencyTable];
  const int single = header.mode == kSingleChannelMode ? 1 : 0;
  const int table = kLayer2TableChoice[single][header.sampleRateIndex][header.bitrateIndex];
  return table < 0 ? nullptr : &kLayer2Allocations[table];
}

int JointStereoBound(int mode, int modeExtension) {
  return mode == kJointStereoMode ? 4 * ((modeExtension & 3) + 1) : kLayer12Subbands;
}

}  // namespace orvana::engine
