// Every implementation of every slot against the plain one on random input.
// Tolerances follow the precision: the single precision families may differ
// from the double precision ones in the last bits of each value.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "engine/hybrid_filterbank.h"
#include "engine/kernel_families.h"
#include "engine/synthesis.h"
#include "engine/synthesis_window.h"
#include "reconstruction_reference.h"
#include "runnable_families.h"

namespace orvana::engine {
namespace {

using reference::RandomFloats;

const KernelSlots& Plain() { return PlainKernels().slots; }

// Runs `check` for every runnable family that implements the slot.
template <typename Fn, typename Check>
void ForEachVariant(Kernel<Fn> KernelSlots::*slot, Check check) {
  int tested = 0;
  for (const KernelFamily* family : AllKernelFamilies()) {
    const Kernel<Fn>& kernel = family->slots.*slot;
    if (!kernel.run || !RunnableHere(*family) || family == &PlainKernels()) continue;
    SCOPED_TRACE(family->name);
    EXPECT_STREQ(kernel.name, family->name);
    check(kernel);
    ++tested;
  }
  EXPECT_GT(tested, 0);
}

// Single precision carries 24 bits: a few units of 2^-24 of the magnitude.
void ExpectClose(const std::vector<float>& actual, const std::vector<float>& expected,
                 double scale) {
  ASSERT_EQ(actual.size(), expected.size());
  const double tolerance = 1e-6 * scale;
  for (size_t i = 0; i < actual.size(); ++i)
    ASSERT_NEAR(actual[i], expected[i], tolerance) << "at " << i;
}

TEST(KernelVariants, AliasReduce) {
  std::mt19937 rng(21);
  ForEachVariant(&KernelSlots::AliasReduce, [&](const Kernel<AliasReduceFn>& kernel) {
    for (int boundaries : {0, 1, 17, 31}) {
      std::vector<float> expected = RandomFloats(rng, 576, 20000.0f);
      std::vector<float> actual = expected;
      Plain().AliasReduce.run(expected.data(), boundaries);
      kernel.run(actual.data(), boundaries);
      ExpectClose(actual, expected, 20000.0 * 4);
    }
  });
}

template <typename Fn>
void CompareCore(Kernel<Fn> KernelSlots::*slot, uint32_t seed) {
  std::mt19937 rng(seed);
  ForEachVariant(slot, [&](const Kernel<Fn>& kernel) {
    for (int trial = 0; trial < 200; ++trial) {
      std::vector<float> expected = RandomFloats(rng, 18, 20000.0f);
      std::vector<float> actual = expected;
      (Plain().*slot).run(expected.data());
      kernel.run(actual.data());
      ExpectClose(actual, expected, 20000.0 * 18 * 8);
    }
  });
}

TEST(KernelVariants, LongCore) { CompareCore(&KernelSlots::LongCore, 22); }
TEST(KernelVariants, ShortCore) { CompareCore(&KernelSlots::ShortCore, 23); }

TEST(KernelVariants, HybridAgreesAcrossBlockTypesAndLimits) {
  std::mt19937 rng(24);
  ForEachVariant(&KernelSlots::Hybrid, [&](const Kernel<HybridFn>& kernel) {
    KernelSlots withVariant = Plain();
    withVariant.Hybrid = kernel;
    struct Case {
      int blockType, longLimit, shortLimit, prevCount, sbLimit;
    };
    for (const Case& c :
         {Case{0, 576, 576, 576, 32}, Case{1, 300, 300, 500, 31}, Case{2, 0, 400, 200, 31},
          Case{2, 36, 576, 576, 32}, Case{3, 100, 100, 0, 30}, Case{0, 0, 0, 300, 31},
          Case{1 | kHybridMixedFlag, 576, 576, 576, 32},
          Case{3 | kHybridMixedFlag, 200, 200, 300, 31}}) {
      const std::vector<float> lines = RandomFloats(rng, 576, 20000.0f);
      const std::vector<float> prev = RandomFloats(rng, 576, 20000.0f);
      std::vector<float> curPlain = lines, curVariant = lines;
      std::vector<float> outPlain(576, 0.0f), outVariant(576, 0.0f);
      const int nPlain =
          Plain().Hybrid.run(Plain(), curPlain.data(), prev.data(), outPlain.data(), c.blockType,
                             c.longLimit, c.shortLimit, c.prevCount, c.sbLimit);
      const int nVariant =
          kernel.run(withVariant, curVariant.data(), prev.data(), outVariant.data(), c.blockType,
                     c.longLimit, c.shortLimit, c.prevCount, c.sbLimit);
      EXPECT_EQ(nVariant, nPlain) << "block type " << c.blockType;
      ExpectClose(outVariant, outPlain, 20000.0 * 18 * 8);
      ExpectClose(curVariant, curPlain, 20000.0 * 18 * 8);
    }
  });
}

// A ring as the DCT fills it from a loud random signal, at every position.
TEST(KernelVariants, WindowingWithinOneStepOfPlain) {
  std::mt19937 rng(25);
  const auto state = std::make_unique<SynthesisState>();
  std::vector<float> ring(kSynthRingSize);
  for (int block = 0; block < 16; ++block) {
    const std::vector<float> samples = RandomFloats(rng, 32, 1500.0f);
    Dct32(samples.data(), 1, ring.data() + 32 * block);
  }
  for (auto slot : {&KernelSlots::SynthMono, &KernelSlots::SynthInterleaved}) {
    const int stride = slot == &KernelSlots::SynthMono ? 1 : 2;
    ForEachVariant(slot, [&](const Kernel<SynthFn>& kernel) {
      int differing = 0;
      for (int pos = 0; pos < kSynthRingSize; pos += 32) {
        std::vector<int16_t> expected(64, 0), actual(64, 0);
        (Plain().*slot).run(state->SynthWindow, ring.data(), pos, expected.data());
        kernel.run(state->SynthWindow, ring.data(), pos, actual.data());
        for (int j = 0; j < 32; ++j) {
          ASSERT_LE(std::abs(actual[stride * j] - expected[stride * j]), 1)
              << "pos " << pos << " j " << j;
          differing += actual[stride * j] != expected[stride * j];
        }
      }
      EXPECT_LE(differing, 16 * 32 / 50) << "more than 2% of the samples differ";
    });
  }
}

TEST(KernelVariants, WindowingOfAnArbitraryWindow) {
  // A random window (lanes derived from it) checks every coefficient's place.
  std::mt19937 rng(26);
  std::vector<float> window = RandomFloats(rng, kSynthWindowSize, 1.0f);
  FillSynthWindowLanes(window.data());
  const std::vector<float> ring = RandomFloats(rng, kSynthRingSize, 1000.0f);
  ForEachVariant(&KernelSlots::SynthMono, [&](const Kernel<SynthFn>& kernel) {
    for (int pos = 0; pos < kSynthRingSize; pos += 32) {
      int16_t expected[32], actual[32];
      Plain().SynthMono.run(window.data(), ring.data(), pos, expected);
      kernel.run(window.data(), ring.data(), pos, actual);
      for (int j = 0; j < 32; ++j)
        ASSERT_LE(std::abs(actual[j] - expected[j]), 1) << "pos " << pos << " j " << j;
    }
  });
}

}  // namespace
}  // namespace orvana::engine
