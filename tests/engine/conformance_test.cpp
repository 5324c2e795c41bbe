// Every stream of tests/data against its reference decode: within 1 LSB
// everywhere and at most 0.1 LSB RMS when all 32 sub-bands are decoded, with
// the kernels chosen for this processor and with each kernel family. The
// player's 31-sub-band figures are printed, not bounded.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/cpu_features.h"
#include "test_streams.h"

namespace orvana::engine {
namespace {

using testing::ComparePcm;
using testing::DecodeWholeStream;
using testing::PcmDifference;
using testing::ReadTestFile;
using testing::ReadTestPcm;

enum class ReferenceLength {
  kSame,
  // The MPEG-1 Layer III conformance references stop one frame before the
  // stream ends.
  kOneFrameShort,
  // The Layer I and II conformance references run on past the last frame.
  kRunsPast,
};

struct Stream {
  const char* bitstream;
  const char* reference;
  ReferenceLength length;
};

constexpr auto kSame = ReferenceLength::kSame;
constexpr auto kOneFrameShort = ReferenceLength::kOneFrameShort;
constexpr auto kRunsPast = ReferenceLength::kRunsPast;

const Stream kLayer3Streams[] = {
    {"l3-compl.bit", "l3-compl.pcm", kSame},
    {"l3-he_32khz.bit", "l3-he_32khz.pcm", kOneFrameShort},
    {"l3-he_44khz.bit", "l3-he_44khz.pcm", kOneFrameShort},
    {"l3-he_free.bit", "l3-he_free.pcm", kOneFrameShort},
    {"l3-hecommon.bit", "l3-hecommon.pcm", kOneFrameShort},
    {"l3-si.bit", "l3-si.pcm", kOneFrameShort},
    {"l3-si_block.bit", "l3-si_block.pcm", kOneFrameShort},
    {"M2L3_bitrate_16_all.bit", "M2L3_bitrate_16_all.pcm", kSame},
    {"M2L3_bitrate_22_all.bit", "M2L3_bitrate_22_all.pcm", kSame},
    {"M2L3_compl24.bit", "M2L3_compl24.pcm", kSame},
    {"l3-44100-stereo-cbr128-crc.mp3", "l3-44100-stereo-cbr128-crc.pcm", kSame},
    {"l3-44100-vbr-xing.mp3", "l3-44100-vbr-xing.pcm", kSame},
    {"lsf-l3-22050-stereo-cbr64.mp3", "lsf-l3-22050-stereo-cbr64.pcm", kSame},
    {"m25-l3-11025-mono-cbr16.mp3", "m25-l3-11025-mono-cbr16.pcm", kSame},
    {"m25-l3-8000-stereo-cbr24.mp3", "m25-l3-8000-stereo-cbr24.pcm", kSame},
    // Intensity stereo (with and without mid/side), against mpg123.
    {"l3-44100-intensity.mp3", "l3-44100-intensity.pcm", kSame},
};

const Stream kLayer12Streams[] = {
    {"l1-fl1.bit", "l1-fl1.pcm", kRunsPast},
    {"l1-fl2.bit", "l1-fl2.pcm", kRunsPast},
    {"l1-fl3.bit", "l1-fl3.pcm", kRunsPast},
    {"l1-fl4.bit", "l1-fl4.pcm", kRunsPast},
    {"l1-fl5.bit", "l1-fl5.pcm", kRunsPast},
    {"l1-fl6.bit", "l1-fl6.pcm", kRunsPast},
    {"l2-fl10.bit", "l2-fl10.pcm", kRunsPast},
    {"l2-fl11.bit", "l2-fl11.pcm", kRunsPast},
    {"l2-fl12.bit", "l2-fl12.pcm", kRunsPast},
    {"l2-fl13.bit", "l2-fl13.pcm", kRunsPast},
    {"l2-fl14.bit", "l2-fl14.pcm", kRunsPast},
    {"l2-test32.bit", "l2-test32.pcm", kSame},
    {"l2-48000-joint-cbr192.mp2", "l2-48000-joint-cbr192.pcm", kSame},
    {"lsf-l2-24000-stereo-cbr96.mp2", "lsf-l2-24000-stereo-cbr96.pcm", kSame},
};

struct Family {
  const char* name;
  uint32_t flags;
};

constexpr uint32_t kPentiumIntel = cpu::kFpu | cpu::kVendorIntel | cpu::kFamily6;
constexpr uint32_t kAthlon = cpu::kFpu | cpu::kVendorAmd | cpu::kFamily6 | cpu::kMmx;

const Family kFamilies[] = {
    {"plain", cpu::kFpu},
    {"intel", kPentiumIntel},
    {"intel-cmov", kPentiumIntel | cpu::kCmov},
    {"3dnow", kAthlon | cpu::k3DNow},
    {"e3dnow", kAthlon | cpu::k3DNow | cpu::kE3DNow | cpu::kCmov | cpu::kEmmx},
    {"modern", cpu::kFpu | cpu::kSse2 | cpu::kAvx2 | cpu::kFma},
};

PcmDifference Measure(const Stream& stream, int maxFrequency, uint32_t flags) {
  const std::vector<int16_t> reference = ReadTestPcm(stream.reference);
  const auto decoded = DecodeWholeStream(ReadTestFile(stream.bitstream), maxFrequency, flags);
  EXPECT_EQ(decoded.open, StreamDecoder::OpenResult::kReady) << stream.bitstream;
  EXPECT_EQ(decoded.rejected, 0) << stream.bitstream;
  const size_t frameSamples = decoded.format.samplesPerFrame;
  switch (stream.length) {
    case kSame:
      EXPECT_EQ(decoded.pcm.size(), reference.size()) << stream.bitstream;
      break;
    case kOneFrameShort:
      EXPECT_EQ(decoded.pcm.size(), reference.size() + frameSamples) << stream.bitstream;
      break;
    case kRunsPast:
      EXPECT_LE(decoded.pcm.size(), reference.size()) << stream.bitstream;
      break;
  }
  return ComparePcm(decoded.pcm, reference);
}

void Report(const char* what, const Stream& stream, const PcmDifference& d) {
  std::printf("[ figures  ] %-32s %-24s max %d LSB, RMS %.4f LSB\n", stream.bitstream, what,
              d.maxAbs, d.rms);
}

class Conformance : public ::testing::TestWithParam<Stream> {};

TEST_P(Conformance, FullBandWithTheKernelsOfThisProcessor) {
  const PcmDifference d = Measure(GetParam(), kFullBandMaxFrequency, DetectCpu());
  Report("full band, selected", GetParam(), d);
  EXPECT_LE(d.maxAbs, 1);
  EXPECT_LE(d.rms, 0.1);
}

TEST_P(Conformance, FullBandWithPlainKernels) {
  const PcmDifference d = Measure(GetParam(), kFullBandMaxFrequency, cpu::kFpu);
  Report("full band, plain", GetParam(), d);
  EXPECT_LE(d.maxAbs, 1);
  EXPECT_LE(d.rms, 0.1);
}

TEST_P(Conformance, PlayerBandIsReported) {
  Report("31 sub-bands, selected", GetParam(),
         Measure(GetParam(), kPlayerMaxFrequency, DetectCpu()));
  Report("31 sub-bands, plain", GetParam(), Measure(GetParam(), kPlayerMaxFrequency, cpu::kFpu));
}

TEST_P(Conformance, EveryKernelFamily) {
  for (const Family& family : kFamilies) {
    if ((family.flags & (cpu::kAvx2 | cpu::kFma)) && !(DetectCpu() & cpu::kAvx2 && DetectCpu() & cpu::kFma))
      continue;
    const PcmDifference d = Measure(GetParam(), kFullBandMaxFrequency, family.flags);
    Report((std::string("full band, ") + family.name).c_str(), GetParam(), d);
    EXPECT_LE(d.maxAbs, 1) << family.name;
    EXPECT_LE(d.rms, 0.1) << family.name;
  }
}

std::string StreamName(const ::testing::TestParamInfo<Stream>& info) {
  std::string name = info.param.bitstream;
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
}

INSTANTIATE_TEST_SUITE_P(Layer3, Conformance, ::testing::ValuesIn(kLayer3Streams), StreamName);
INSTANTIATE_TEST_SUITE_P(Layer12, Conformance, ::testing::ValuesIn(kLayer12Streams), StreamName);

}  // namespace
}  // namespace orvana::engine
