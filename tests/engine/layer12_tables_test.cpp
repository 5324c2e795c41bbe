#include "engine/layer12_tables.h"

#include <gtest/gtest.h>

namespace orvana::engine {
namespace {

FrameHeader Mpeg1(int layerCode, int sampleRateIndex, int bitrateIndex, int mode) {
  FrameHeader header;
  header.syncKind = 1;
  header.versionId = 1;
  header.layerCode = layerCode;
  header.sampleRateIndex = sampleRateIndex;
  header.bitrateIndex = bitrateIndex;
  header.mode = mode;
  return header;
}

constexpr int kLayerI = 3, kLayerII = 2;
constexpr int k44100 = 0, k48000 = 1, k32000 = 2;
constexpr int kStereo = 0, kJoint = 1, kDual = 2, kMono = 3;

int SubbandsOf(const FrameHeader& header) {
  const Layer12AllocationLayout* layout = AllocationLayoutFor(header);
  return layout ? layout->subbands : -1;
}

TEST(Layer2TableChoice, ByBitRatePerChannelAndSamplingFrequency) {
  // Bit rate indexes: 3 = 56, 4 = 64, 5 = 80, 8 = 128, 10 = 192, 14 = 384 kbit/s.
  EXPECT_EQ(SubbandsOf(Mpeg1(kLayerII, k44100, 8, kStereo)), 27) << "table 0";
  EXPECT_EQ(SubbandsOf(Mpeg1(kLayerII, k44100, 10, kJoint)), 30) << "table 1";
  EXPECT_EQ(SubbandsOf(Mpeg1(kLayerII, k48000, 10, kStereo)), 27) << "48 kHz never needs 30";
  EXPECT_EQ(SubbandsOf(Mpeg1(kLayerII, k48000, 4, kStereo)), 8) << "table 2";
  EXPECT_EQ(SubbandsOf(Mpeg1(kLayerII, k44100, 4, kDual)), 8);
  EXPECT_EQ(SubbandsOf(Mpeg1(kLayerII, k32000, 4, kStereo)), 12) << "table 3";
  EXPECT_EQ(SubbandsOf(Mpeg1(kLayerII, k44100, 14, kStereo)), 30);
  EXPECT_EQ(SubbandsOf(Mpeg1(kLayerII, k44100, 0, kStereo)), 30) << "free format";
  EXPECT_EQ(SubbandsOf(Mpeg1(kLayerII, k48000, 0, kStereo)), 27);
}

TEST(Layer2TableChoice, SingleChannelCountsItsWholeBitRate) {
  EXPECT_EQ(SubbandsOf(Mpeg1(kLayerII, k44100, 1, kMono)), 8);
  EXPECT_EQ(SubbandsOf(Mpeg1(kLayerII, k32000, 2, kMono)), 12);
  EXPECT_EQ(SubbandsOf(Mpeg1(kLayerII, k44100, 3, kMono)), 27) << "56 kbit/s";
  EXPECT_EQ(SubbandsOf(Mpeg1(kLayerII, k44100, 6, kMono)), 30) << "96 kbit/s";
  EXPECT_EQ(SubbandsOf(Mpeg1(kLayerII, k48000, 10, kMono)), 27);
}

TEST(Layer2TableChoice, CombinationsNoTableCovers) {
  for (int mode : {kStereo, kJoint, kDual}) {
    EXPECT_EQ(AllocationLayoutFor(Mpeg1(kLayerII, k44100, 3, mode)), nullptr) << "56 kbit/s";
    EXPECT_EQ(AllocationLayoutFor(Mpeg1(kLayerII, k48000, 1, mode)), nullptr) << "32 kbit/s";
    EXPECT_EQ(AllocationLayoutFor(Mpeg1(kLayerII, k48000, 5, mode)), nullptr) << "80 kbit/s";
  }
  for (int index = 11; index <= 14; ++index)
    EXPECT_EQ(AllocationLayoutFor(Mpeg1(kLayerII, k44100, index, kMono)), nullptr) << index;
  EXPECT_EQ(AllocationLayoutFor(Mpeg1(kLayerII, k44100, 15, kStereo)), nullptr);
  EXPECT_EQ(AllocationLayoutFor(Mpeg1(kLayerII, 3, 8, kStereo)), nullptr) << "reserved frequency";
  EXPECT_EQ(AllocationLayoutFor(Mpeg1(1, k44100, 8, kStereo)), nullptr) << "Layer III";
}

TEST(Layer2TableChoice, LowSamplingFrequenciesAlwaysUseTheirOwnTable) {
  for (int bitrateIndex : {1, 8, 14}) {
    FrameHeader header = Mpeg1(kLayerII, k44100, bitrateIndex, kStereo);
    header.versionId = 0;
    const Layer12AllocationLayout* layout = AllocationLayoutFor(header);
    ASSERT_NE(layout, nullptr);
    EXPECT_EQ(layout, &kLayer2Allocations[4]);
  }
}

TEST(Layer12Allocation, LayerIHasEveryCombinationAndThirtyTwoSubbands) {
  for (int mode : {kStereo, kMono})
    for (int index = 0; index < 15; ++index)
      EXPECT_EQ(SubbandsOf(Mpeg1(kLayerI, k44100, index, mode)), 32);
}

TEST(Layer12Allocation, LayoutsAddUpAndCodesStayInsideTheirMaps) {
  for (const Layer12AllocationLayout* layout :
       {&kLayer1Allocation, &kLayer2Allocations[0], &kLayer2Allocations[1], &kLayer2Allocations[2],
        &kLayer2Allocations[3], &kLayer2Allocations[4]}) {
    int subbands = 0;
    for (const Layer12AllocationGroup& group : layout->groups) {
      subbands += group.subbands;
      if (group.subbands == 0) continue;
      ASSERT_NE(group.classOf, nullptr);
      // Every code of the group's width names a quantiser; code 0 none.
      EXPECT_EQ((*group.classOf)[0], 0);
      for (int code = 1; code < (1 << group.codeBits); ++code)
        EXPECT_GT(layout->quantizers[(*group.classOf)[code]].codeBits, 0) << code;
    }
    EXPECT_EQ(subbands, layout->subbands);
  }
}

TEST(JointStereoBound, ModeExtensionSelectsTheFirstSharedSubband) {
  EXPECT_EQ(JointStereoBound(kJoint, 0), 4);
  EXPECT_EQ(JointStereoBound(kJoint, 1), 8);
  EXPECT_EQ(JointStereoBound(kJoint, 2), 12);
  EXPECT_EQ(JointStereoBound(kJoint, 3), 16);
  for (int mode : {kStereo, kDual, kMono})
    for (int extension = 0; extension < 4; ++extension)
      EXPECT_EQ(JointStereoBound(mode, extension), 32);
}

struct GroupedCase {
  int quantizerClass;
  int levels;
};

TEST(Layer2Quantizers, GroupedCodesOfThreeFiveAndNineSteps) {
  for (const GroupedCase c : {GroupedCase{1, 3}, GroupedCase{2, 5}, GroupedCase{4, 9}}) {
    const Layer12Quantizer& q = kLayer2Quantizers[c.quantizerClass];
    ASSERT_NE(q.triples, nullptr);
    EXPECT_EQ(q.granuleBits, q.codeBits) << "one code a granule";
    const int half = c.levels / 2;
    const int validCodes = c.levels * c.levels * c.levels;
    // First sample in the lowest digit.
    for (int code = 0; code < validCodes; ++code) {
      const int8_t* t = q.triples + 3 * code;
      ASSERT_EQ((t[0] + half) + c.levels * (t[1] + half) + c.levels * c.levels * (t[2] + half),
                code);
    }
    // Codes no encoder writes still decode to values of the quantiser.
    for (int code = validCodes; code < (1 << q.codeBits); ++code)
      for (int k = 0; k < 3; ++k) {
        ASSERT_GE(q.triples[3 * code + k], -half) << code;
        ASSERT_LE(q.triples[3 * code + k], half) << code;
      }
    EXPECT_FLOAT_EQ(q.stepFactor, 2.0f / c.levels);
  }
  const int8_t* nine = kLayer2Quantizers[4].triples;
  EXPECT_EQ(nine[3 * 1 + 0], -3);
  EXPECT_EQ(nine[3 * 1 + 1], -4);
  EXPECT_EQ(nine[3 * 728 + 2], 4);
}

}  // namespace
}  // namespace orvana::engine
