#include "engine/cpu_features.h"

#include <gtest/gtest.h>

#include <thread>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace orvana::engine {
namespace {

using namespace cpu;

// A processor with CPUID of the given vendor and family byte.
CpuProbe Processor(uint32_t vendor, uint32_t family) {
  CpuProbe probe;
  probe.maxLeaf = 1;
  probe.vendorEcx = vendor;
  probe.leaf1Eax = family << 8;
  return probe;
}

constexpr uint32_t kIntel = VendorWord("ntel");
constexpr uint32_t kAmd = VendorWord("cAMD");

TEST(CpuDecision, UnusableFpuGivesNoBitsAtAll) {
  CpuProbe probe = Processor(kIntel, 6);
  probe.fpuUsable = false;
  EXPECT_EQ(DecideCpuFeatures(probe), 0u);
}

TEST(CpuDecision, A386StopsAfterTheFpuBit) {
  CpuProbe probe = Processor(kIntel, 6);
  probe.leaf1Edx = 0xFFFFFFFF;
  probe.alignmentCheckToggles = false;
  EXPECT_EQ(DecideCpuFeatures(probe), kFpu);
}

TEST(CpuDecision, WithoutCpuidTheDivisionTestNamesTheVendor) {
  CpuProbe probe = Processor(kAmd, 6);
  probe.identificationToggles = false;
  probe.leaf1Edx = 0xFFFFFFFF;
  EXPECT_EQ(DecideCpuFeatures(probe), kFpu | kVendorIntel | kFamily4);
  probe.divisionKeepsFlags = true;
  EXPECT_EQ(DecideCpuFeatures(probe), kFpu | kVendorCyrix | kFamily4);
}

TEST(CpuDecision, VendorComesFromTheLastFourCharacters) {
  EXPECT_EQ(DecideCpuFeatures(Processor(kIntel, 6)) & 0xFF00, kVendorIntel);
  EXPECT_EQ(DecideCpuFeatures(Processor(kAmd, 6)) & 0xFF00, kVendorAmd);
  EXPECT_EQ(DecideCpuFeatures(Processor(VendorWord("tead"), 6)) & 0xFF00, kVendorCyrix);
  EXPECT_EQ(DecideCpuFeatures(Processor(VendorWord("auls"), 6)) & 0xFF00, kVendorCentaur);
  EXPECT_EQ(DecideCpuFeatures(Processor(VendorWord("xyzw"), 6)) & 0xFF00, kVendorOther);
}

TEST(CpuDecision, FamilyFourStopsBeforeTheFeatureBits) {
  CpuProbe probe = Processor(kIntel, 4);
  probe.leaf1Edx = 0xFFFFFFFF;
  probe.maxExtendedLeaf = 0x80000001;
  probe.extendedLeaf1Edx = 0xFFFFFFFF;
  EXPECT_EQ(DecideCpuFeatures(probe), kFpu | kVendorIntel | kFamily4);
}

TEST(CpuDecision, FamilyByteSelectsFiveOrSixAndLater) {
  EXPECT_EQ(DecideCpuFeatures(Processor(kIntel, 5)) & 0x700000, kFamily5);
  EXPECT_EQ(DecideCpuFeatures(Processor(kIntel, 6)) & 0x700000, kFamily6);
  EXPECT_EQ(DecideCpuFeatures(Processor(kAmd, 0x0F)) & 0x700000, kFamily6);
}

TEST(CpuDecision, StandardLeafBits) {
  CpuProbe probe = Processor(kIntel, 6);
  probe.leaf1Edx = 1u << 23;
  EXPECT_EQ(DecideCpuFeatures(probe) & kSwitchableBits, kMmx);
  probe.leaf1Edx = 1u << 15;
  EXPECT_EQ(DecideCpuFeatures(probe) & kSwitchableBits, kCmov);
  probe.leaf1Edx = 1u << 25;
  EXPECT_EQ(DecideCpuFeatures(probe) & kSwitchableBits, kKni | kEmmx);
}

TEST(CpuDecision, ExtendedLeafBitsOnlyWhenTheLeafExists) {
  CpuProbe probe = Processor(kAmd, 6);
  probe.extendedLeaf1Edx = (1u << 31) | (1u << 30) | (1u << 22) | (1u << 15);
  probe.maxExtendedLeaf = 0x80000000;
  EXPECT_EQ(DecideCpuFeatures(probe) & kSwitchableBits, 0u);
  probe.maxExtendedLeaf = 0x80000008;
  EXPECT_EQ(DecideCpuFeatures(probe) & kSwitchableBits, k3DNow | kE3DNow | kEmmx | kCmov);
}

TEST(CpuDecision, AmdWithThreeDNowOnly) {
  CpuProbe probe = Processor(kAmd, 5);
  probe.maxExtendedLeaf = 0x80000001;
  probe.extendedLeaf1Edx = 1u << 31;
  probe.leaf1Edx = 1u << 23;
  EXPECT_EQ(DecideCpuFeatures(probe), kFpu | kVendorAmd | kFamily5 | k3DNow | kMmx);
}

TEST(CpuDecision, RefusedSimdControlDropsSse) {
  CpuProbe probe = Processor(kIntel, 6);
  probe.leaf1Edx = (1u << 25) | (1u << 26);
  EXPECT_EQ(DecideCpuFeatures(probe) & (kKni | kSse2), kKni | kSse2);
  probe.simdControlAccepted = false;
  EXPECT_EQ(DecideCpuFeatures(probe) & (kKni | kSse2 | kEmmx), kEmmx);
}

TEST(CpuDecision, AvxBitsNeedTheOperatingSystemsRegisterState) {
  CpuProbe probe = Processor(kIntel, 6);
  probe.maxLeaf = 7;
  probe.leaf1Ecx = (1u << 12) | (1u << 27) | (1u << 28);  // FMA, OSXSAVE, AVX
  probe.leaf7Ebx = 1u << 5;                               // AVX2
  probe.xcr0 = 0x7;
  EXPECT_EQ(DecideCpuFeatures(probe) & (kAvx2 | kFma), kAvx2 | kFma);
  probe.xcr0 = 0x3;  // AVX state not saved
  EXPECT_EQ(DecideCpuFeatures(probe) & (kAvx2 | kFma), 0u);
  probe.xcr0 = 0x7;
  probe.maxLeaf = 6;  // leaf 7 absent
  EXPECT_EQ(DecideCpuFeatures(probe) & (kAvx2 | kFma), kFma);
}

TEST(CpuCapabilities, MappingFollowsTheElementOrder) {
  EXPECT_EQ(CapabilitiesToFlags({mccMMX}), kMmx);
  EXPECT_EQ(CapabilitiesToFlags({mcc3DNow}), k3DNow);
  EXPECT_EQ(CapabilitiesToFlags({mccKNI}), kKni);
  EXPECT_EQ(CapabilitiesToFlags({mccE3DNow}), 0x20u);  // element 3
  EXPECT_EQ(CapabilitiesToFlags({mccCMOV}), 0x10u);    // element 4
  EXPECT_EQ(CapabilitiesToFlags({mccEMMX}), kEmmx);
  EXPECT_EQ(static_cast<int>(mccE3DNow), 3);
  EXPECT_EQ(static_cast<int>(mccCMOV), 4);
  EXPECT_EQ(CapabilitiesToFlags(TMP3CpuCapabilities::Published()), kPublishedCapabilityBits);
  EXPECT_EQ(CapabilitiesToFlags(TMP3CpuCapabilities::All()), kSwitchableBits);
}

TEST(CpuCapabilities, RoundTripsEverySwitchableBitAndDropsTheRest) {
  for (int bit = 0; bit < 32; ++bit) {
    const CpuFeatureFlags flag = 1u << bit;
    const CpuFeatureFlags back = CapabilitiesToFlags(FlagsToCapabilities(flag));
    EXPECT_EQ(back, flag & kSwitchableBits) << "bit " << bit;
  }
  EXPECT_EQ(FlagsToCapabilities(kFpu | kVendorAmd | kFamily6), TMP3CpuCapabilities{});
}

TEST(CpuCapabilities, IntersectionWithTheProcessorKeepsOnlyWhatItHas) {
  const TMP3CpuCapabilities processor = FlagsToCapabilities(kMmx | kCmov);
  EXPECT_EQ(TMP3CpuCapabilities::Published() & processor, (TMP3CpuCapabilities{mccMMX, mccCMOV}));
}

TEST(CpuDetection, IsCachedAndAgreesWithTheProbe) {
  const CpuFeatureFlags first = DetectCpu();
  EXPECT_EQ(DetectCpu(), first);
  EXPECT_EQ(first, DecideCpuFeatures(ProbeCpu()));
  EXPECT_TRUE(first & kFpu);
#if defined(__x86_64__)
  // Every 64-bit processor has MMX, SSE, SSE2 and CMOV, and one family bit.
  EXPECT_EQ(first & (kMmx | kKni | kSse2 | kCmov), kMmx | kKni | kSse2 | kCmov);
  EXPECT_TRUE(first & (kFamily5 | kFamily6));
  // SSE usable: detection loaded the SIMD control register.
  EXPECT_EQ(_mm_getcsr() & 0xFFC0, 0x9F80u);
#else
  EXPECT_EQ(first, kFpu);
#endif
}

#if defined(__x86_64__)
TEST(CpuDetection, AnotherThreadGetsFlushToZeroWhenItAsks) {
  DetectCpu();
  unsigned after = 0;
  std::thread decoder([&] {
    _mm_setcsr(0x1F80);  // as a thread made before detection starts
    ApplySimdControlOnThisThread();
    after = _mm_getcsr();
  });
  decoder.join();
  EXPECT_EQ(after & 0xFFC0, 0x9F80u);
}
#endif

}  // namespace
}  // namespace orvana::engine
