#include "engine/hybrid_filterbank.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "engine/kernel_families.h"
#include "reconstruction_reference.h"

namespace orvana::engine {
namespace {

using reference::RandomFloats;

double MaxMagnitude(const std::vector<double>& v) {
  double m = 0;
  for (double x : v) m = std::max(m, std::abs(x));
  return m;
}

TEST(HybridCores, LongCoreIsTheFoldedThirtySixPointImdct) {
  std::mt19937 rng(1);
  for (int trial = 0; trial < 50; ++trial) {
    std::vector<float> lines = RandomFloats(rng, 18, 1000.0f);
    double in[18];
    for (int k = 0; k < 18; ++k) in[k] = lines[k];
    const std::vector<double> x = reference::Imdct(in, 36);
    LongCore(lines.data());
    for (int k = 0; k < 9; ++k) {
      EXPECT_NEAR(lines[k], -x[27 + k], 2e-3) << "k " << k;
      EXPECT_NEAR(lines[9 + k], x[k], 2e-3) << "k " << 9 + k;
    }
  }
}

TEST(HybridCores, ShortCoreIsThreeTwelvePointImdcts) {
  std::mt19937 rng(2);
  for (int trial = 0; trial < 50; ++trial) {
    std::vector<float> lines = RandomFloats(rng, 18, 1000.0f);
    const std::vector<float> input = lines;
    ShortCore(lines.data());
    for (int w = 0; w < 3; ++w) {
      double in[6];
      for (int k = 0; k < 6; ++k) in[k] = input[3 * k + w];
      // z[i] = x[i + 3] of the 12-point IMDCT: cos(pi / 24 (2 i + 7)(2 k + 1)).
      const std::vector<double> x = reference::Imdct(in, 12);
      for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(lines[6 * w + 3 + i], x[i], 1e-3) << "w " << w << " i " << i;
        EXPECT_NEAR(lines[6 * w + 2 - i], -x[6 + i], 1e-3) << "w " << w << " i " << i;
      }
    }
  }
}

TEST(HybridCores, ZeroLinesTransformToZero) {
  float lines[18] = {};
  LongCore(lines);
  for (float v : lines) EXPECT_EQ(v, 0.0f);
  ShortCore(lines);
  for (float v : lines) EXPECT_EQ(v, 0.0f);
}

TEST(AliasReduction, ButterfliesTheBoundariesAndNothingElse) {
  std::mt19937 rng(3);
  std::vector<float> lines = RandomFloats(rng, 576, 100.0f);
  const std::vector<float> before = lines;
  const HybridTables& t = GetHybridTables();
  AliasReduce(lines.data(), 2);
  for (int s = 0; s < 2; ++s) {
    for (int j = 0; j < 8; ++j) {
      const double a = before[18 * s + 17 - j], b = before[18 * (s + 1) + j];
      EXPECT_NEAR(lines[18 * s + 17 - j], a * t.AliasCs[j] - b * t.AliasCa[j], 1e-4);
      EXPECT_NEAR(lines[18 * (s + 1) + j], b * t.AliasCs[j] + a * t.AliasCa[j], 1e-4);
    }
  }
  // Lines 8 and 9 of each sub-band and everything past boundary 2 stay.
  for (int l : {8, 9, 26, 27, 18 * 2 + 8, 18 * 2 + 9}) EXPECT_EQ(lines[l], before[l]) << l;
  for (int l = 18 * 2 + 10; l < 576; ++l) ASSERT_EQ(lines[l], before[l]) << l;
}

TEST(AliasReduction, BoundaryCountIsClamped) {
  std::mt19937 rng(4);
  std::vector<float> lines = RandomFloats(rng, 576, 100.0f);
  std::vector<float> expected = lines;
  AliasReduce(expected.data(), 31);
  AliasReduce(lines.data(), 1000);  // never touches memory past the 576 lines
  EXPECT_EQ(lines, expected);
  const std::vector<float> before = lines;
  AliasReduce(lines.data(), -5);
  EXPECT_EQ(lines, before);
}

// Runs granules of one channel through Hybrid + FrequencyInvert with the two
// arrays used alternately, as the channel stage does.
struct HybridChannel {
  KernelSlots kernels = PlainKernels().slots;
  float buffer[2][576] = {};
  int count[2] = {0, 0};
  float out[576] = {};
  int parity = 0;

  int Granule(const std::vector<float>& lines, int blockType, int longLimit, int shortLimit,
              int sbLimit = 32) {
    float* cur = buffer[parity];
    std::copy(lines.begin(), lines.end(), cur);
    const int n = kernels.Hybrid.run(kernels, cur, buffer[parity ^ 1], out, blockType, longLimit,
                                     shortLimit, count[parity ^ 1], sbLimit);
    count[parity] = n;
    FrequencyInvert(out, n);
    parity ^= 1;
    return n;
  }
};

void ExpectMatches(const float* out, const std::vector<double>& expected, const char* what) {
  const double tolerance = 1e-5 * std::max(1.0, MaxMagnitude(expected)) + 1e-3;
  for (int i = 0; i < 576; ++i) {
    ASSERT_NEAR(out[i], expected[i], tolerance) << what << ": slot " << i / 32 << " sb " << i % 32;
  }
}

TEST(Hybrid, BlockTypeSequenceMatchesTheStandardOverlapAdd) {
  std::mt19937 rng(5);
  HybridChannel channel;
  reference::HybridReference ref;
  const int sequence[] = {0, 1, 2, 3, 0, 0, 1, 2, 2, 3};
  for (int blockType : sequence) {
    const std::vector<float> lines = RandomFloats(rng, 576, 3000.0f);
    const bool shortBlock = blockType == 2;
    const int n = channel.Granule(lines, blockType, shortBlock ? 0 : 576, 576);
    EXPECT_EQ(n, 576);
    ExpectMatches(channel.out, ref.Granule(lines.data(), blockType, shortBlock ? 0 : 32), "block");
  }
}

TEST(Hybrid, MixedBlockUsesTheNormalWindowBelowTheBoundary) {
  std::mt19937 rng(6);
  HybridChannel channel;
  reference::HybridReference ref;
  for (int granule = 0; granule < 4; ++granule) {
    const std::vector<float> lines = RandomFloats(rng, 576, 3000.0f);
    channel.Granule(lines, 2, 36, 576);
    ExpectMatches(channel.out, ref.Granule(lines.data(), 2, 2), "mixed");
  }
}

TEST(Hybrid, MixedStartAndStopBlocksUseTheNormalWindowInTheLowSubbands) {
  std::mt19937 rng(61);
  HybridChannel channel;
  reference::HybridReference ref;
  for (int blockType : {1, 3, 1, 3}) {
    const std::vector<float> lines = RandomFloats(rng, 576, 3000.0f);
    channel.Granule(lines, blockType | kHybridMixedFlag, 576, 576);
    ExpectMatches(channel.out, ref.Granule(lines.data(), blockType, 32, true), "mixed long");
  }
  // The flag changes nothing for normal and short blocks.
  const std::vector<float> lines = RandomFloats(rng, 576, 3000.0f);
  channel.Granule(lines, 0 | kHybridMixedFlag, 576, 576);
  ExpectMatches(channel.out, ref.Granule(lines.data(), 0, 32), "normal");
  channel.Granule(lines, 2 | kHybridMixedFlag, 36, 576);
  ExpectMatches(channel.out, ref.Granule(lines.data(), 2, 2), "mixed short");
}

TEST(Hybrid, PartialBandwidthFollowsTheSignal) {
  std::mt19937 rng(7);
  HybridChannel channel;
  reference::HybridReference ref;
  // 100 lines: sub-bands 0..5 carry sound (line 100 is in sub-band 5).
  std::vector<float> lines = RandomFloats(rng, 576, 3000.0f);
  std::fill(lines.begin() + 100, lines.end(), 0.0f);
  EXPECT_EQ(channel.Granule(lines, 0, 100, 100), 108);
  ExpectMatches(channel.out, ref.Granule(lines.data(), 0, 32), "narrow");
  // A wider short granule after it, then a narrower long one: the tail of the
  // wider one is copied out, and the count covers it.
  lines = RandomFloats(rng, 576, 3000.0f);
  std::fill(lines.begin() + 300, lines.end(), 0.0f);
  EXPECT_EQ(channel.Granule(lines, 2, 0, 300), 306);
  ExpectMatches(channel.out, ref.Granule(lines.data(), 2, 0), "wider");
  lines = RandomFloats(rng, 576, 3000.0f);
  std::fill(lines.begin() + 40, lines.end(), 0.0f);
  EXPECT_EQ(channel.Granule(lines, 3, 40, 40), 306);
  ExpectMatches(channel.out, ref.Granule(lines.data(), 3, 32), "tail");
}

TEST(Hybrid, SilentGranulesAfterALoudOne) {
  std::mt19937 rng(8);
  HybridChannel channel;
  reference::HybridReference ref;
  const std::vector<float> loud = RandomFloats(rng, 576, 3000.0f);
  const std::vector<float> silent(576, 0.0f);
  EXPECT_EQ(channel.Granule(loud, 0, 576, 576), 576);
  ref.Granule(loud.data(), 0, 32);
  // The first silent granule plays exactly the loud one's overlap.
  EXPECT_EQ(channel.Granule(silent, 0, 0, 0), 576);
  const std::vector<double> tail = ref.Granule(silent.data(), 0, 32);
  ExpectMatches(channel.out, tail, "tail");
  for (int sb = 0; sb < 32; ++sb) {
    for (int t = 0; t < 18; ++t) {
      const float overlap = channel.buffer[0][18 * sb + t];
      const float expected = (sb & 1) && (t & 1) ? -overlap : overlap;
      ASSERT_EQ(channel.out[32 * t + sb], expected) << "t " << t << " sb " << sb;
    }
  }
  // The next one has only zero overlap left to play.
  channel.Granule(silent, 0, 0, 0);
  for (float v : channel.out) ASSERT_EQ(v, 0.0f);
}

TEST(Hybrid, SubbandsAtOrAboveTheLimitStayZero) {
  std::mt19937 rng(9);
  HybridChannel channel;
  std::fill(std::begin(channel.out), std::end(channel.out), 0.0f);
  const int bandLimit = 558;
  for (int granule = 0; granule < 6; ++granule) {
    std::vector<float> lines = RandomFloats(rng, 576, 3000.0f);
    std::fill(lines.begin() + bandLimit, lines.end(), 0.0f);
    const int blockType = granule % 4;
    channel.Granule(lines, blockType, blockType == 2 ? 0 : bandLimit, bandLimit, 31);
    for (int t = 0; t < 18; ++t) ASSERT_EQ(channel.out[32 * t + 31], 0.0f);
  }
}

TEST(Hybrid, SilentSubbandsBelowTheLimitAreCleared) {
  HybridChannel channel;
  std::fill(std::begin(channel.out), std::end(channel.out), 7.0f);
  const std::vector<float> silent(576, 0.0f);
  EXPECT_EQ(channel.Granule(silent, 0, 0, 0, 20), 0);
  for (int t = 0; t < 18; ++t) {
    for (int sb = 0; sb < 32; ++sb) {
      ASSERT_EQ(channel.out[32 * t + sb], sb < 20 ? 0.0f : 7.0f) << "t " << t << " sb " << sb;
    }
  }
}

TEST(Hybrid, OutOfRangeArgumentsStayInsideTheBuffers) {
  std::mt19937 rng(10);
  HybridChannel channel;
  const std::vector<float> lines = RandomFloats(rng, 576, 3000.0f);
  EXPECT_EQ(channel.Granule(lines, 7, 5000, 9000, 99), 576);
  EXPECT_EQ(channel.Granule(lines, -1, -5, -9, -1), 576);  // the previous tail is still played
  for (float v : channel.out) ASSERT_TRUE(std::isfinite(v));
}

TEST(FrequencyInvert, NegatesOddSlotsOfOddSubbandsBelowTheCount) {
  float out[576];
  for (int i = 0; i < 576; ++i) out[i] = static_cast<float>(i + 1);
  FrequencyInvert(out, 0);
  for (int i = 0; i < 576; ++i) ASSERT_EQ(out[i], i + 1.0f);

  FrequencyInvert(out, 36);
  for (int t = 0; t < 18; ++t) {
    for (int sb = 0; sb < 32; ++sb) {
      const float v = static_cast<float>(32 * t + sb + 1);
      ASSERT_EQ(out[32 * t + sb], sb == 1 && (t & 1) ? -v : v) << "t " << t << " sb " << sb;
    }
  }
}

TEST(FrequencyInvert, CountsRoundUpToWholeSubbands) {
  const auto negatedSubbands = [](int count) {
    float out[576];
    std::fill(std::begin(out), std::end(out), 1.0f);
    FrequencyInvert(out, count);
    int negated = 0;
    for (int sb = 0; sb < 32; ++sb) negated += out[32 * 1 + sb] < 0;
    return negated;
  };
  EXPECT_EQ(negatedSubbands(18), 0);
  EXPECT_EQ(negatedSubbands(19), 1);  // touches sub-band 1
  EXPECT_EQ(negatedSubbands(54), 1);
  EXPECT_EQ(negatedSubbands(55), 2);
  EXPECT_EQ(negatedSubbands(576), 16);
  EXPECT_EQ(negatedSubbands(100000), 16);
  EXPECT_EQ(negatedSubbands(-18), 0);
}

TEST(FrequencyInvert, TogglesTheSignBitOfZeros) {
  float out[576] = {};
  FrequencyInvert(out, 576);
  EXPECT_TRUE(std::signbit(out[32 * 1 + 1]));
  EXPECT_FALSE(std::signbit(out[32 * 2 + 1]));
  FrequencyInvert(out, 576);
  EXPECT_FALSE(std::signbit(out[32 * 1 + 1]));
}

}  // namespace
}  // namespace orvana::engine
