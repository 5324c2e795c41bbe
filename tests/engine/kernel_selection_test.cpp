#include "engine/kernel_selection.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/cpu_features.h"
#include "engine/kernel_families.h"

namespace orvana::engine {
namespace {

using namespace cpu;

struct Choice {
  std::string alias, longCore, shortCore, hybrid, synthMono, synthInterleaved;
  bool operator==(const Choice&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Choice& c) {
  return os << "{" << c.alias << ", " << c.longCore << ", " << c.shortCore << ", " << c.hybrid
            << ", " << c.synthMono << ", " << c.synthInterleaved << "}";
}

Choice Selected(uint32_t flags) {
  KernelSlots slots;
  SelectKernels(slots, flags);
  return {slots.AliasReduce.name, slots.LongCore.name,  slots.ShortCore.name,
          slots.Hybrid.name,      slots.SynthMono.name, slots.SynthInterleaved.name};
}

Choice Uniform(const std::string& transforms, const std::string& hybrid, const std::string& alias,
               const std::string& synth) {
  return {alias, transforms, transforms, hybrid, synth, synth};
}

constexpr uint32_t kPentiumIntel = kFpu | kVendorIntel | kFamily6;

TEST(KernelSelection, NoCapabilitiesGivePlainEverywhere) {
  const Choice plain = Uniform("plain", "plain", "plain", "plain");
  EXPECT_EQ(Selected(0), plain);
  EXPECT_EQ(Selected(kFpu), plain);
  EXPECT_EQ(Selected(kFpu | kVendorIntel | kFamily4), plain);  // a 486
  EXPECT_EQ(Selected(kFpu | kVendorCyrix | kFamily4), plain);
  // MMX and SSE alone select nothing.
  EXPECT_EQ(Selected(kFpu | kVendorAmd | kFamily6 | kMmx | kKni | kCmov | kEmmx), plain);
}

TEST(KernelSelection, PentiumClassIntel) {
  EXPECT_EQ(Selected(kPentiumIntel), Uniform("intel", "intel", "plain", "intel"));
  EXPECT_EQ(Selected(kFpu | kVendorIntel | kFamily5), Uniform("intel", "intel", "plain", "intel"));
  EXPECT_EQ(Selected(kPentiumIntel | kCmov), Uniform("intel", "intel", "plain", "intel-cmov"));
  // CMOV on a non-Intel processor changes nothing.
  EXPECT_EQ(Selected(kFpu | kVendorAmd | kFamily6 | kCmov),
            Uniform("plain", "plain", "plain", "plain"));
}

TEST(KernelSelection, AmdWithThreeDNowOnly) {
  EXPECT_EQ(Selected(kFpu | kVendorAmd | kFamily5 | kMmx | k3DNow),
            Uniform("plain", "plain", "3dnow", "3dnow"));
}

TEST(KernelSelection, ExtendedThreeDNowRows) {
  const uint32_t athlon = kFpu | kVendorAmd | kFamily6 | kMmx | k3DNow | kE3DNow;
  EXPECT_EQ(Selected(athlon), Uniform("e3dnow", "plain", "e3dnow", "3dnow"));
  EXPECT_EQ(Selected(athlon | kCmov), Uniform("e3dnow", "e3dnow-cmov", "e3dnow", "3dnow"));
  EXPECT_EQ(Selected(athlon | kCmov | kEmmx),
            Uniform("e3dnow", "e3dnow-cmov", "e3dnow", "e3dnow-emmx"));
}

TEST(KernelSelection, ExtendedBitIsDroppedWithThreeDNow) {
  const uint32_t athlon = kFpu | kVendorAmd | kFamily6 | kMmx | k3DNow | kE3DNow | kCmov | kEmmx;
  EXPECT_EQ(Selected(athlon & ~k3DNow), Uniform("plain", "plain", "plain", "plain"));
}

TEST(KernelSelection, ThreeDNowRowsComeBeforeIntelRows) {
  // An unlikely Intel with 3DNow! bits takes the 3DNow! rows where they exist.
  EXPECT_EQ(Selected(kPentiumIntel | kCmov | k3DNow), Uniform("intel", "intel", "3dnow", "3dnow"));
  EXPECT_EQ(Selected(kPentiumIntel | kCmov | k3DNow | kE3DNow | kEmmx),
            Uniform("e3dnow", "e3dnow-cmov", "e3dnow", "e3dnow-emmx"));
}

Choice Modern(const std::string& transforms) {
  return {"avx2-fma", transforms, transforms, "avx2-fma", "avx2-fma", "avx2-fma"};
}

TEST(KernelSelection, ModernRowsComeFirstAndNeedBothBits) {
  const uint32_t modernAmd = kFpu | kVendorAmd | kFamily6 | kMmx | kKni | kCmov | kEmmx | kSse2;
  EXPECT_EQ(Selected(modernAmd | kAvx2 | kFma), Modern("plain"));
  EXPECT_EQ(Selected(modernAmd | kAvx2), Uniform("plain", "plain", "plain", "plain"));
  EXPECT_EQ(Selected(modernAmd | kFma), Uniform("plain", "plain", "plain", "plain"));
  EXPECT_EQ(Selected(kPentiumIntel | kCmov | kAvx2 | kFma), Modern("intel"));
  // An imaginary processor with every bit still takes the modern rows.
  EXPECT_EQ(Selected(kPentiumIntel | kSwitchableBits), Modern("e3dnow"));
}

TEST(KernelSelection, PlayersMaskSwitchesVariantsOff) {
  // The player clears the switchable bits and adds back the allowed ones.
  const uint32_t detected =
      kFpu | kVendorIntel | kFamily6 | kMmx | kKni | kCmov | kEmmx | kSse2 | kAvx2 | kFma;
  const uint32_t none = (detected & ~kSwitchableBits) | CapabilitiesToFlags({});
  EXPECT_EQ(Selected(none), Uniform("intel", "intel", "plain", "intel"));
  const uint32_t noAvx = (detected & ~kSwitchableBits) | CapabilitiesToFlags({mccCMOV, mccFMA});
  EXPECT_EQ(Selected(noAvx), Uniform("intel", "intel", "plain", "intel-cmov"));
}

TEST(KernelSelection, EveryInstalledSlotHasAnImplementation) {
  for (uint32_t flags = 0; flags < 0x80; ++flags) {
    for (uint32_t vendor : {0u, kVendorIntel | kFamily6}) {
      KernelSlots slots;
      SelectKernels(slots, flags | vendor);
      EXPECT_TRUE(slots.AliasReduce.run && slots.LongCore.run && slots.ShortCore.run &&
                  slots.Hybrid.run && slots.SynthMono.run && slots.SynthInterleaved.run)
          << std::hex << (flags | vendor);
    }
  }
}

TEST(KernelSelection, ThisMachinesChoiceIsRunnable) {
  KernelSlots slots;
  SelectKernels(slots, DetectCpu());
  for (const KernelFamily* family : AllKernelFamilies()) {
    if (std::string(slots.SynthMono.name) == family->name) {
      EXPECT_EQ(family->requiredFlags & ~DetectCpu(), 0u) << family->name;
    }
  }
  std::cout << "[ selected ] alias " << slots.AliasReduce.name << ", cores " << slots.LongCore.name
            << ", hybrid " << slots.Hybrid.name << ", windowing " << slots.SynthMono.name << "\n";
}

}  // namespace
}  // namespace orvana::engine
