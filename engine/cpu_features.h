#pragma once
// Processor capability detection and the mapping between the detected feature
// word and the player's published capability set.
#include <cstdint>
#include <initializer_list>

namespace orvana::engine {

using CpuFeatureFlags = uint32_t;

namespace cpu {
inline constexpr CpuFeatureFlags kFpu = 0x1;
inline constexpr CpuFeatureFlags kMmx = 0x2;
inline constexpr CpuFeatureFlags k3DNow = 0x4;
inline constexpr CpuFeatureFlags kKni = 0x8;  // SSE usable
inline constexpr CpuFeatureFlags kCmov = 0x10;
inline constexpr CpuFeatureFlags kE3DNow = 0x20;
inline constexpr CpuFeatureFlags kEmmx = 0x40;  // MMX extensions of SSE or AMD
inline constexpr CpuFeatureFlags kVendorIntel = 0x100;
inline constexpr CpuFeatureFlags kVendorAmd = 0x200;
inline constexpr CpuFeatureFlags kVendorCyrix = 0x400;
inline constexpr CpuFeatureFlags kVendorCentaur = 0x800;
inline constexpr CpuFeatureFlags kVendorOther = 0x8000;
inline constexpr CpuFeatureFlags kFamily4 = 0x100000;
inline constexpr CpuFeatureFlags kFamily5 = 0x200000;
inline constexpr CpuFeatureFlags kFamily6 = 0x400000;  // family 6 or later
// Present-day vector extensions, each usable only when the operating system
// saves the registers it needs.
inline constexpr CpuFeatureFlags kSse2 = 0x1000000;
inline constexpr CpuFeatureFlags kAvx2 = 0x2000000;
inline constexpr CpuFeatureFlags kFma = 0x4000000;

// The six bits of the published capability set.
inline constexpr CpuFeatureFlags kPublishedCapabilityBits =
    kMmx | k3DNow | kKni | kCmov | kE3DNow | kEmmx;
// Every bit a user may switch off: the published six and the modern ones.
inline constexpr CpuFeatureFlags kSwitchableBits = kPublishedCapabilityBits | kSse2 | kAvx2 | kFma;
}  // namespace cpu

enum TMP3CpuCapability : uint8_t {
  mccMMX,
  mcc3DNow,
  mccKNI,
  mccE3DNow,
  mccCMOV,
  mccEMMX,
  mccSSE2,
  mccAVX2,
  mccFMA,
};
inline constexpr int kCpuCapabilityCount = mccFMA + 1;
inline constexpr int kPublishedCpuCapabilityCount = mccEMMX + 1;

// A set of TMP3CpuCapability elements (bit e = element e).
class TMP3CpuCapabilities {
 public:
  constexpr TMP3CpuCapabilities() = default;
  constexpr TMP3CpuCapabilities(std::initializer_list<TMP3CpuCapability> elements) {
    for (TMP3CpuCapability e : elements) bits_ |= Bit(e);
  }
  static constexpr TMP3CpuCapabilities FromBits(uint32_t bits) {
    TMP3CpuCapabilities set;
    set.bits_ = bits & ((1u << kCpuCapabilityCount) - 1);
    return set;
  }
  static constexpr TMP3CpuCapabilities Published() {
    return FromBits((1u << kPublishedCpuCapabilityCount) - 1);
  }
  static constexpr TMP3CpuCapabilities All() { return FromBits(~0u); }

  constexpr bool Contains(TMP3CpuCapability e) const { return (bits_ & Bit(e)) != 0; }
  constexpr void Include(TMP3CpuCapability e) { bits_ |= Bit(e); }
  constexpr void Exclude(TMP3CpuCapability e) { bits_ &= ~Bit(e); }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr uint32_t Bits() const { return bits_; }

  friend constexpr TMP3CpuCapabilities operator&(TMP3CpuCapabilities a, TMP3CpuCapabilities b) {
    return FromBits(a.bits_ & b.bits_);
  }
  friend constexpr TMP3CpuCapabilities operator|(TMP3CpuCapabilities a, TMP3CpuCapabilities b) {
    return FromBits(a.bits_ | b.bits_);
  }
  friend constexpr bool operator==(TMP3CpuCapabilities, TMP3CpuCapabilities) = default;

 private:
  static constexpr uint32_t Bit(TMP3CpuCapability e) { return 1u << e; }
  uint32_t bits_ = 0;
};

// The feature bit of each capability element, in element order (element 3,
// mccE3DNow, is 0x20 and element 4, mccCMOV, is 0x10).
inline constexpr CpuFeatureFlags kCapabilityFlag[kCpuCapabilityCount] = {
    cpu::kMmx,  cpu::k3DNow, cpu::kKni,  cpu::kE3DNow, cpu::kCmov,
    cpu::kEmmx, cpu::kSse2,  cpu::kAvx2, cpu::kFma};

TMP3CpuCapabilities FlagsToCapabilities(CpuFeatureFlags flags);
CpuFeatureFlags CapabilitiesToFlags(TMP3CpuCapabilities capabilities);

// What the identification steps observed. The decision over it is a pure
// function so that any processor, also those that cannot occur on this
// machine, can be described by hand.
struct CpuProbe {
  bool fpuUsable = true;              // status word 0, control word 0x3F in 0x103F
  bool alignmentCheckToggles = true;  // false on a 386
  bool identificationToggles = true;  // false without CPUID
  bool divisionKeepsFlags = false;    // no-CPUID test: true on Cyrix
  uint32_t maxLeaf = 0;               // CPUID leaf 0: EAX
  uint32_t vendorEcx = 0;             // last four characters of the vendor string
  uint32_t leaf1Eax = 0;
  uint32_t leaf1Ecx = 0;
  uint32_t leaf1Edx = 0;
  uint32_t leaf7Ebx = 0;            // leaf 7 sub-leaf 0, when maxLeaf >= 7
  uint32_t maxExtendedLeaf = 0;     // CPUID 0x80000000: EAX
  uint32_t extendedLeaf1Edx = 0;    // CPUID 0x80000001: EDX, when present
  uint64_t xcr0 = 0;                // register state the OS saves (XGETBV 0)
  bool simdControlAccepted = true;  // loading the SIMD control register worked
};

// Builds a vendor word from its four characters ("ntel", "cAMD", ...).
constexpr uint32_t VendorWord(const char (&text)[5]) {
  return static_cast<uint32_t>(static_cast<uint8_t>(text[0])) |
         static_cast<uint32_t>(static_cast<uint8_t>(text[1])) << 8 |
         static_cast<uint32_t>(static_cast<uint8_t>(text[2])) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(text[3])) << 24;
}

CpuFeatureFlags DecideCpuFeatures(const CpuProbe& probe);

// Observes this processor (CPUID where it exists; elsewhere only the FPU).
CpuProbe ProbeCpu();

// Loads the SIMD control register with 0x9F80 (exceptions masked,
// flush-to-zero) on the calling thread; false where there is none.
bool ApplySimdControl();

// The cached feature word, detected on the first call (thread-safe). The first
// call also applies the SIMD control register when SSE is usable.
CpuFeatureFlags DetectCpu();

// The control register is per thread: a decoding thread other than the one
// that first detected the processor calls this once to get flush-to-zero too
// (denormal tails of the filter histories would otherwise slow it down).
void ApplySimdControlOnThisThread();

}  // namespace orvana::engine
