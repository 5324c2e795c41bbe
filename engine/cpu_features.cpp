#include "engine/cpu_features.h"

#if defined(__x86_64__)
#include <cpuid.h>
#include <immintrin.h>
#endif

namespace orvana::engine {
namespace {

constexpr bool Bit(uint32_t word, int bit) { return ((word >> bit) & 1u) != 0; }

CpuFeatureFlags VendorFlag(uint32_t vendorEcx) {
  if (vendorEcx == VendorWord("ntel")) return cpu::kVendorIntel;
  if (vendorEcx == VendorWord("cAMD")) return cpu::kVendorAmd;
  if (vendorEcx == VendorWord("tead")) return cpu::kVendorCyrix;
  if (vendorEcx == VendorWord("auls")) return cpu::kVendorCentaur;
  return cpu::kVendorOther;
}

// AVX registers are usable only when the OS saves the SSE and AVX state.
bool AvxUsable(const CpuProbe& probe) {
  return Bit(probe.leaf1Ecx, 27) && Bit(probe.leaf1Ecx, 28) && (probe.xcr0 & 0x6) == 0x6;
}

}  // namespace

TMP3CpuCapabilities FlagsToCapabilities(CpuFeatureFlags flags) {
  TMP3CpuCapabilities set;
  for (int e = 0; e < kCpuCapabilityCount; ++e) {
    if (flags & kCapabilityFlag[e]) set.Include(static_cast<TMP3CpuCapability>(e));
  }
  return set;
}

CpuFeatureFlags CapabilitiesToFlags(TMP3CpuCapabilities capabilities) {
  CpuFeatureFlags flags = 0;
  for (int e = 0; e < kCpuCapabilityCount; ++e) {
    if (capabilities.Contains(static_cast<TMP3CpuCapability>(e))) flags |= kCapabilityFlag[e];
  }
  return flags;
}

CpuFeatureFlags DecideCpuFeatures(const CpuProbe& probe) {
  if (!probe.fpuUsable) return 0;
  CpuFeatureFlags flags = cpu::kFpu;
  if (!probe.alignmentCheckToggles) return flags;  // a 386
  if (!probe.identificationToggles) {
    // No CPUID: the division test tells Cyrix from Intel, both family 4.
    flags |= probe.divisionKeepsFlags ? cpu::kVendorCyrix : cpu::kVendorIntel;
    return flags | cpu::kFamily4;
  }
  flags |= VendorFlag(probe.vendorEcx);

  const uint32_t familyByte = (probe.leaf1Eax >> 8) & 0xFF;
  if (familyByte == 4) return flags | cpu::kFamily4;
  flags |= familyByte == 5 ? cpu::kFamily5 : cpu::kFamily6;

  if (probe.maxExtendedLeaf >= 0x80000001u) {
    const uint32_t edx = probe.extendedLeaf1Edx;
    if (Bit(edx, 31)) flags |= cpu::k3DNow;
    if (Bit(edx, 15)) flags |= cpu::kCmov;
    if (Bit(edx, 30)) flags |= cpu::kE3DNow;
    if (Bit(edx, 22)) flags |= cpu::kEmmx;
  }
  if (Bit(probe.leaf1Edx, 23)) flags |= cpu::kMmx;
  if (Bit(probe.leaf1Edx, 15)) flags |= cpu::kCmov;
  if (Bit(probe.leaf1Edx, 25)) flags |= cpu::kKni | cpu::kEmmx;

  if (Bit(probe.leaf1Edx, 26)) flags |= cpu::kSse2;
  if (AvxUsable(probe)) {
    if (probe.maxLeaf >= 7 && Bit(probe.leaf7Ebx, 5)) flags |= cpu::kAvx2;
    if (Bit(probe.leaf1Ecx, 12)) flags |= cpu::kFma;
  }

  // Without the SIMD control register there is no usable SSE, nor anything newer.
  if ((flags & cpu::kKni) && !probe.simdControlAccepted) {
    flags &= ~(cpu::kKni | cpu::kSse2 | cpu::kAvx2 | cpu::kFma);
  }
  return flags;
}

#if defined(__x86_64__)

CpuProbe ProbeCpu() {
  // A 64-bit processor always has an FPU, the alignment-check and
  // identification flags, and CPUID.
  CpuProbe probe;
  unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
  __cpuid(0, eax, ebx, ecx, edx);
  probe.maxLeaf = eax;
  probe.vendorEcx = ecx;
  if (probe.maxLeaf >= 1) {
    __cpuid(1, eax, ebx, ecx, edx);
    probe.leaf1Eax = eax;
    probe.leaf1Ecx = ecx;
    probe.leaf1Edx = edx;
  }
  if (probe.maxLeaf >= 7) {
    __cpuid_count(7, 0, eax, ebx, ecx, edx);
    probe.leaf7Ebx = ebx;
  }
  __cpuid(0x80000000u, eax, ebx, ecx, edx);
  probe.maxExtendedLeaf = eax;
  if (probe.maxExtendedLeaf >= 0x80000001u) {
    __cpuid(0x80000001u, eax, ebx, ecx, edx);
    probe.extendedLeaf1Edx = edx;
  }
  if (Bit(probe.leaf1Ecx, 27)) {  // XGETBV is available
    uint32_t low = 0, high = 0;
    __asm__ volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(0));
    probe.xcr0 = (static_cast<uint64_t>(high) << 32) | low;
  }
  return probe;
}

bool ApplySimdControl() {
  _mm_setcsr(0x9F80);
  return true;
}

#else

CpuProbe ProbeCpu() {
  // Only the floating-point unit is known here; the decision stops as for a 386.
  CpuProbe probe;
  probe.alignmentCheckToggles = false;
  return probe;
}

bool ApplySimdControl() { return false; }

#endif

CpuFeatureFlags DetectCpu() {
  static const CpuFeatureFlags detected = [] {
    CpuProbe probe = ProbeCpu();
    CpuFeatureFlags flags = DecideCpuFeatures(probe);
    if ((flags & cpu::kKni) && !ApplySimdControl()) {
      probe.simdControlAccepted = false;
      flags = DecideCpuFeatures(probe);
    }
    return flags;
  }();
  return detected;
}

void ApplySimdControlOnThisThread() {
  thread_local bool applied = false;
  if (applied) return;
  applied = true;
  if (DetectCpu() & cpu::kKni) ApplySimdControl();
}

}  // namespace orvana::engine
