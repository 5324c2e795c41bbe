#include "engine/pcm_output.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "engine/synthesis.h"
#include "engine/synthesis_window.h"
#include "runnable_families.h"

namespace orvana::engine {
namespace {

TEST(PcmRounding, PlainRuleRoundsHalvesToEven) {
  EXPECT_EQ(PcmRoundNearestEven(2.5), 2);
  EXPECT_EQ(PcmRoundNearestEven(3.5), 4);
  EXPECT_EQ(PcmRoundNearestEven(-2.5), -2);
  EXPECT_EQ(PcmRoundNearestEven(-0.5), 0);
  EXPECT_EQ(PcmRoundNearestEven(0.49), 0);
  EXPECT_EQ(PcmRoundNearestEven(-1.51), -2);
}

TEST(PcmRounding, ThreeDNowRuleMovesHalvesAwayFromZero) {
  EXPECT_EQ(PcmRoundHalfUp(2.5f), 3);
  EXPECT_EQ(PcmRoundHalfUp(-2.5f), -3);
  EXPECT_EQ(PcmRoundHalfUp(-0.5f), -1);
  EXPECT_EQ(PcmRoundHalfUp(-0.4f), 0);
  EXPECT_EQ(PcmRoundHalfUp(0.0f), 0);
  EXPECT_EQ(PcmRoundHalfUp(-1.0f), -1);
  EXPECT_EQ(PcmRoundHalfUp(3.49f), 3);
}

TEST(PcmRounding, BothRulesClipInsteadOfWrapping) {
  for (double s : {40000.7, 32767.4, 1e12, std::numeric_limits<double>::infinity()}) {
    EXPECT_EQ(PcmRoundNearestEven(s), 32767) << s;
    EXPECT_EQ(PcmRoundHalfUp(static_cast<float>(s)), 32767) << s;
  }
  for (double s : {-40000.2, -32768.4, -1e12, -std::numeric_limits<double>::infinity()}) {
    EXPECT_EQ(PcmRoundNearestEven(s), -32768) << s;
    EXPECT_EQ(PcmRoundHalfUp(static_cast<float>(s)), -32768) << s;
  }
  EXPECT_EQ(PcmRoundNearestEven(32766.6), 32767);
  EXPECT_EQ(PcmRoundNearestEven(-32767.6), -32768);
  EXPECT_EQ(PcmRoundNearestEven(std::nan("")), -32768);
  EXPECT_EQ(PcmRoundHalfUp(std::nanf("")), -32768);
}

bool RoundsHalvesAwayFromZero(const KernelFamily& family) {
  const std::string name = family.name;
  return name == "3dnow" || name == "e3dnow-emmx";
}

// Every windowing kernel, fed a window with one unit coefficient and a ring
// with one value, must turn exactly that value into output sample 0.
int16_t KernelOutput(const Kernel<SynthFn>& kernel, float value) {
  std::vector<float> window(kSynthWindowSize, 0.0f);
  window[0] = 1.0f;  // output 0, even chain, first tap
  FillSynthWindowLanes(window.data());
  std::vector<float> ring(kSynthRingSize, 0.0f);
  ring[16] = value;  // output 0 reads the newest block at offset 16
  int16_t out[64] = {};
  kernel.run(window.data(), ring.data(), 0, out);
  return out[0];
}

TEST(PcmRounding, EveryWindowingKernelRoundsByItsFamilysRule) {
  for (const KernelFamily* family : AllKernelFamilies()) {
    if (!RunnableHere(*family)) continue;
    for (const Kernel<SynthFn>* kernel :
         {&family->slots.SynthMono, &family->slots.SynthInterleaved}) {
      if (!kernel->run) continue;
      SCOPED_TRACE(family->name);
      if (RoundsHalvesAwayFromZero(*family)) {
        EXPECT_EQ(KernelOutput(*kernel, 2.5f), 3);
        EXPECT_EQ(KernelOutput(*kernel, -2.5f), -3);
        EXPECT_EQ(KernelOutput(*kernel, -0.5f), -1);
        EXPECT_EQ(KernelOutput(*kernel, -0.4f), 0);
      } else {
        EXPECT_EQ(KernelOutput(*kernel, 2.5f), 2);
        EXPECT_EQ(KernelOutput(*kernel, 3.5f), 4);
        EXPECT_EQ(KernelOutput(*kernel, -2.5f), -2);
      }
      EXPECT_EQ(KernelOutput(*kernel, 40000.7f), 32767);
      EXPECT_EQ(KernelOutput(*kernel, -40000.2f), -32768);
      EXPECT_EQ(KernelOutput(*kernel, 32767.4f), 32767);
      EXPECT_EQ(KernelOutput(*kernel, -32768.4f), -32768);
      EXPECT_EQ(KernelOutput(*kernel, 3e9f), 32767);
      EXPECT_EQ(KernelOutput(*kernel, -3e9f), -32768);
    }
  }
}

}  // namespace
}  // namespace orvana::engine
