// Every Layer III stream of tests/data against its reference decode: within
// 1 LSB everywhere and at most 0.1 LSB RMS when all 32 sub-bands are decoded,
// with the kernels chosen for this processor and with each kernel family. The
// player's 31-sub-band figures are printed, not bounded.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "engine/cpu_features.h"
#include "engine/kernel_slots.h"
#include "test_streams.h"

namespace orvana::engine {
namespace {

using testing::ComparePcm;
using testing::DecodeWholeStream;
using testing::PcmDifference;
using testing::ReadTestFile;
using testing::ReadTestPcm;

struct Stream {
  const char* bitstream;
  const char* reference;
  // The MPEG-1 conformance references stop one frame before the stream ends.
  bool referenceOneFrameShort;
};

const Stream kStreams[] = {
    {"l3-compl.bit", "l3-compl.pcm", false},
    {"l3-he_32khz.bit", "l3-he_32khz.pcm", true},
    {"l3-he_44khz.bit", "l3-he_44khz.pcm", true},
    {"l3-he_free.bit", "l3-he_free.pcm", true},
    {"l3-hecommon.bit", "l3-hecommon.pcm", true},
    {"l3-si.bit", "l3-si.pcm", true},
    {"l3-si_block.bit", "l3-si_block.pcm", true},
    {"M2L3_bitrate_16_all.bit", "M2L3_bitrate_16_all.pcm", false},
    {"M2L3_bitrate_22_all.bit", "M2L3_bitrate_22_all.pcm", false},
    {"M2L3_compl24.bit", "M2L3_compl24.pcm", false},
    {"l3-44100-stereo-cbr128-crc.mp3", "l3-44100-stereo-cbr128-crc.pcm", false},
    {"l3-44100-vbr-xing.mp3", "l3-44100-vbr-xing.pcm", false},
    {"lsf-l3-22050-stereo-cbr64.mp3", "lsf-l3-22050-stereo-cbr64.pcm", false},
    {"m25-l3-11025-mono-cbr16.mp3", "m25-l3-11025-mono-cbr16.pcm", false},
    {"m25-l3-8000-stereo-cbr24.mp3", "m25-l3-8000-stereo-cbr24.pcm", false},
    // Intensity stereo (with and without mid/side), against mpg123.
    {"l3-44100-intensity.mp3", "l3-44100-intensity.pcm", false},
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
  if (stream.referenceOneFrameShort)
    EXPECT_EQ(decoded.pcm.size(), reference.size() + frameSamples) << stream.bitstream;
  else
    EXPECT_EQ(decoded.pcm.size(), reference.size()) << stream.bitstream;
  return ComparePcm(decoded.pcm, reference);
}

void Report(const char* what, const Stream& stream, const PcmDifference& d) {
  std::printf("[ figures  ] %-32s %-24s max %d LSB, RMS %.4f LSB\n", stream.bitstream, what,
              d.maxAbs, d.rms);
}

class Layer3Conformance : public ::testing::TestWithParam<Stream> {};

TEST_P(Layer3Conformance, FullBandWithTheKernelsOfThisProcessor) {
  const PcmDifference d = Measure(GetParam(), kFullBandMaxFrequency, DetectCpu());
  Report("full band, selected", GetParam(), d);
  EXPECT_LE(d.maxAbs, 1);
  EXPECT_LE(d.rms, 0.1);
}

TEST_P(Layer3Conformance, FullBandWithPlainKernels) {
  const PcmDifference d = Measure(GetParam(), kFullBandMaxFrequency, cpu::kFpu);
  Report("full band, plain", GetParam(), d);
  EXPECT_LE(d.maxAbs, 1);
  EXPECT_LE(d.rms, 0.1);
}

TEST_P(Layer3Conformance, PlayerBandIsReported) {
  Report("31 sub-bands, selected", GetParam(),
         Measure(GetParam(), kPlayerMaxFrequency, DetectCpu()));
  Report("31 sub-bands, plain", GetParam(), Measure(GetParam(), kPlayerMaxFrequency, cpu::kFpu));
}

TEST_P(Layer3Conformance, EveryKernelFamily) {
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

INSTANTIATE_TEST_SUITE_P(Streams, Layer3Conformance, ::testing::ValuesIn(kStreams), StreamName);

}  // namespace
}  // namespace orvana::engine
