#include "engine/engine_state.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "engine/cpu_features.h"
#include "engine/frame_scanner.h"
#include "engine/kernel_selection.h"
#include "test_streams.h"

namespace orvana::engine {
namespace {

using testing::ReadTestFile;

FrameHeader HeaderOf(std::vector<uint8_t> bytes) {
  FrameHeader header;
  ParseFrameHeader(bytes.data(), 4, header);
  return header;
}

std::unique_ptr<EngineState> Opened(const FrameHeader& header, int frameLength,
                                    int maxFrequency = kPlayerMaxFrequency, uint8_t flags = 0) {
  auto engine = std::make_unique<EngineState>();
  EXPECT_EQ(engine->InitDecoder(header, frameLength, 0, 0, flags, maxFrequency), 1);
  return engine;
}

TEST(InitDecoder, Mpeg1StereoWithThePlayersArguments) {
  auto engine = Opened(HeaderOf({0xFF, 0xFB, 0x90, 0x64}), 417);
  OutputFormat format;
  engine->GetOutputFormat(format);
  EXPECT_EQ(format.channels, 2);
  EXPECT_EQ(format.samplesPerFrame, 2304);
  EXPECT_EQ(format.sampleRate, 44100);
  EXPECT_EQ(format.bitsPerSample, 16);
  EXPECT_EQ(format.frameLength, 417);
  EXPECT_EQ(format.reserved, 0);
  EXPECT_EQ(engine->config.outputBytes, 4608);
  EXPECT_EQ(engine->config.subbandLimit, 31);
  EXPECT_EQ(engine->layer3.bands.bandLimit, 558);
  EXPECT_EQ(engine->layer3.bands.sbLimit, 31);
}

TEST(InitDecoder, LowSamplingFrequenciesAndMono) {
  auto lsf = Opened(HeaderOf({0xFF, 0xF3, 0x80, 0x44}), 208);
  OutputFormat format;
  lsf->GetOutputFormat(format);
  EXPECT_EQ(format.channels, 2);
  EXPECT_EQ(format.samplesPerFrame, 1152);
  EXPECT_EQ(format.sampleRate, 22050);
  EXPECT_EQ(lsf->config.outputBytes, 2304);
  EXPECT_EQ(lsf->layer3.bands.longBlockLimit, 522);
  EXPECT_EQ(lsf->layer3.bands.shortBlockLimit, 522);
  EXPECT_EQ(lsf->layer3.bands.mixedLongBands, 6);

  auto mono = Opened(HeaderOf({0xFF, 0xFB, 0x90, 0xC4}), 417);
  mono->GetOutputFormat(format);
  EXPECT_EQ(format.channels, 1);
  EXPECT_EQ(mono->config.outputBytes, 2304);

  auto mpeg25 = Opened(HeaderOf({0xFF, 0xE3, 0x18, 0xC4}), 72);
  mpeg25->GetOutputFormat(format);
  EXPECT_EQ(format.sampleRate, 8000);
  EXPECT_EQ(format.samplesPerFrame, 576);
}

TEST(InitDecoder, SubbandLimits) {
  auto at48 = Opened(HeaderOf({0xFF, 0xFB, 0x94, 0x64}), 384);
  EXPECT_EQ(at48->config.subbandLimit, 31);
  EXPECT_EQ(at48->layer3.bands.bandLimit, 558);

  auto full = Opened(HeaderOf({0xFF, 0xFB, 0x90, 0x64}), 417, kFullBandMaxFrequency);
  EXPECT_EQ(full->config.subbandLimit, 32);
  EXPECT_EQ(full->layer3.bands.bandLimit, 576);

  auto fullLsf = Opened(HeaderOf({0xFF, 0xF3, 0x80, 0x44}), 208, kFullBandMaxFrequency);
  EXPECT_EQ(fullLsf->layer3.bands.longBlockLimit, 576) << "all bands when all sub-bands";
  EXPECT_EQ(fullLsf->layer3.bands.bandLimit, 576);

  auto narrow = Opened(HeaderOf({0xFF, 0xFB, 0x90, 0x64}), 417, 200);
  EXPECT_EQ(narrow->config.subbandLimit, 1) << "1000 Hz at least";
  EXPECT_EQ(narrow->layer3.bands.bandLimit, 18);
}

TEST(InitDecoder, RefusesWhatItCannotDecode) {
  EngineState engine;
  const FrameHeader mp3 = HeaderOf({0xFF, 0xFB, 0x90, 0x64});
  EXPECT_EQ(engine.InitDecoder(mp3, 417, 0, 0, output_flags::kEightBit, 24000), 0);
  EXPECT_EQ(engine.InitDecoder(mp3, 417, 1, 0, 0, 24000), 0);
  FrameHeader reserved = mp3;
  reserved.sampleRateIndex = 3;
  EXPECT_EQ(engine.InitDecoder(reserved, 417, 0, 0, 0, 24000), 0);
  FrameHeader unparsed;
  EXPECT_EQ(engine.InitDecoder(unparsed, 417, 0, 0, 0, 24000), 0);
  int16_t pcm[4608];
  const uint8_t frame[8] = {0xFF, 0xFB, 0x90, 0x64};
  EXPECT_EQ(engine.DecodeFrame(frame, 8, pcm).bytesConsumed, 0) << "nothing open";
}

// A song opened ahead is described without an engine: the description must
// be what InitDecoder then sets up, for every header there is.
TEST(OutputFormatFor, AgreesWithInitDecoderOnEveryHeader) {
  EngineState engine;
  int accepted = 0;
  for (int syncKind : {1, 2})
    for (int versionId : {0, 1})
      for (int layerCode : {kLayerIIICode, kLayerIICode, kLayerICode})
        for (int bitrateIndex = 0; bitrateIndex < 15; ++bitrateIndex)
          for (int sampleRateIndex = 0; sampleRateIndex < 4; ++sampleRateIndex)
            for (int mode = 0; mode < 4; ++mode)
              for (uint8_t flags : {uint8_t{0}, output_flags::kMixDown, output_flags::kEightBit}) {
                FrameHeader header;
                header.syncKind = syncKind;
                header.versionId = versionId;
                header.layerCode = layerCode;
                header.bitrateIndex = bitrateIndex;
                header.sampleRateIndex = sampleRateIndex;
                header.mode = mode;
                OutputFormat described, opened;
                const bool describable = OutputFormatFor(header, 300, flags, described);
                const int ready = engine.InitDecoder(header, 300, 0, 0, flags, kPlayerMaxFrequency);
                ASSERT_EQ(describable, ready == 1) << syncKind << versionId << layerCode << bitrateIndex
                                                   << sampleRateIndex << mode << int(flags);
                if (!ready) continue;
                ++accepted;
                engine.GetOutputFormat(opened);
                EXPECT_EQ(described.channels, opened.channels);
                EXPECT_EQ(described.samplesPerFrame, opened.samplesPerFrame);
                EXPECT_EQ(described.sampleRate, opened.sampleRate);
                EXPECT_EQ(described.bitsPerSample, opened.bitsPerSample);
                EXPECT_EQ(described.frameLength, opened.frameLength);
              }
  EXPECT_GT(accepted, 1000);
}

class FrameDecoding : public ::testing::Test {
 protected:
  void SetUp() override {
    data = ReadTestFile("l3-44100-stereo-cbr128-crc.mp3");
    ASSERT_FALSE(data.empty());
    FrameScanner scanner(data.data(), data.size());
    ASSERT_TRUE(scanner.FindFirstFrame());
    for (ScannedFrame frame; scanner.Next(frame);) frames.push_back(frame);
    engine = Opened(scanner.firstHeader(), scanner.firstFrameLength(), kFullBandMaxFrequency);
  }
  const uint8_t* At(int i) const { return data.data() + frames[i].offset; }
  std::vector<uint8_t> data;
  std::vector<ScannedFrame> frames;
  std::unique_ptr<EngineState> engine;
  int16_t pcm[2304 + 16] = {};
};

TEST_F(FrameDecoding, WrongSyncIsRejectedAndLeavesTheReservoir) {
  ASSERT_GT(engine->DecodeFrame(At(0), frames[0].length, pcm).bytesConsumed, 0);
  const int fill = engine->layer3.reservoir.fill();
  std::vector<uint8_t> broken(At(1), At(1) + frames[1].length);
  broken[1] = 0xEB;
  const DecodeResult result = engine->DecodeFrame(broken.data(), frames[1].length, pcm);
  EXPECT_EQ(result.bytesConsumed, 0);
  EXPECT_EQ(result.bytesProduced, 0);
  EXPECT_EQ(engine->layer3.reservoir.fill(), fill);
}

TEST_F(FrameDecoding, FrameShorterThanItsHeaderClaimsIsRejected) {
  // Exactly as many bytes as given: nothing past them may be read.
  for (int available : {4, 20, 40, frames[0].length - 1}) {
    std::vector<uint8_t> cut(At(0), At(0) + available);
    EXPECT_EQ(engine->DecodeFrame(cut.data(), available, pcm).bytesConsumed, 0) << available;
  }
  const DecodeResult whole = engine->DecodeFrame(At(0), frames[0].length, pcm);
  EXPECT_EQ(whole.bytesConsumed, frames[0].length);
  EXPECT_EQ(whole.bytesProduced, 4608);
}

TEST_F(FrameDecoding, MissingReservoirDataPlaysSilence) {
  // Opened anew at a frame whose main data starts in earlier frames.
  int first = 1;
  while (first < static_cast<int>(frames.size())) {
    std::vector<uint8_t> frame(At(first), At(first) + 16);
    Layer3BitReader reader;
    reader.Start(frame.data() + 6);  // after header and CRC
    if (reader.GetBits(9) > 0) break;
    ++first;
  }
  ASSERT_LT(first, static_cast<int>(frames.size()));
  std::fill(std::begin(pcm), std::end(pcm), 123);
  const DecodeResult result = engine->DecodeFrame(At(first), frames[first].length, pcm);
  EXPECT_EQ(result.bytesConsumed, frames[first].length);
  EXPECT_EQ(result.bytesProduced, 4608);
  for (int i = 0; i < result.bytesProduced / 2; ++i) ASSERT_EQ(pcm[i], 0);
  EXPECT_EQ(pcm[result.bytesProduced / 2], 123) << "nothing written past one frame";
}

TEST_F(FrameDecoding, PolarityInversionNegatesTheOutputOnce) {
  std::vector<int16_t> normal, inverted;
  for (int i = 0; i < 20; ++i) {
    engine->DecodeFrame(At(i), frames[i].length, pcm);
    normal.insert(normal.end(), std::begin(pcm), std::begin(pcm) + 2304);
  }
  engine->InitDecoder(frames[0].header, frames[0].length - frames[0].header.paddingBit, 0, 0, 0,
                      kFullBandMaxFrequency);
  engine->SetPolarityInverted(true);
  engine->SetPolarityInverted(true);
  EXPECT_TRUE(engine->PolarityInverted());
  for (int i = 0; i < 20; ++i) {
    engine->DecodeFrame(At(i), frames[i].length, pcm);
    inverted.insert(inverted.end(), std::begin(pcm), std::begin(pcm) + 2304);
  }
  int compared = 0;
  for (size_t i = 0; i < normal.size(); ++i) {
    if (normal[i] >= 32767 || normal[i] <= -32767) continue;
    ASSERT_EQ(inverted[i], -normal[i]) << i;
    compared += normal[i] != 0;
  }
  EXPECT_GT(compared, 1000);
  engine->SetPolarityInverted(false);
  EXPECT_FALSE(engine->PolarityInverted());
}

TEST(SelectKernels, ExtendedThreeDNowNeedsThreeDNow) {
  EngineState engine;
  KernelSlots plain;
  engine::SelectKernels(plain, cpu::kFpu);
  engine.SelectKernels(cpu::kFpu | cpu::kE3DNow | cpu::kCmov | cpu::kEmmx);
  EXPECT_STREQ(engine.kernels.Hybrid.name, plain.Hybrid.name);
  EXPECT_STREQ(engine.kernels.AliasReduce.name, plain.AliasReduce.name);
  EXPECT_STREQ(engine.kernels.SynthMono.name, plain.SynthMono.name);
  EngineState fresh;
  EXPECT_STREQ(fresh.kernels.LongCore.name, plain.LongCore.name) << "plain until selected";
}

// Decodes a whole stream with the given output flags, the open header
// optionally replaced.
std::vector<int16_t> DecodeWithFlags(const std::vector<uint8_t>& data, uint8_t flags,
                                     int forcedMode = -1) {
  FrameScanner scanner(data.data(), data.size());
  EXPECT_TRUE(scanner.FindFirstFrame());
  FrameHeader header = scanner.firstHeader();
  if (forcedMode >= 0) header.mode = forcedMode;
  auto engine = std::make_unique<EngineState>();
  EXPECT_EQ(engine->InitDecoder(header, scanner.firstFrameLength(), 0, 0, flags,
                                kFullBandMaxFrequency),
            1);
  std::vector<int16_t> pcm;
  std::vector<int16_t> frame(engine->config.frameSamples);
  for (ScannedFrame scanned; scanner.Next(scanned);) {
    engine->DecodeFrame(data.data() + scanned.offset, scanned.length, frame.data());
    pcm.insert(pcm.end(), frame.begin(), frame.end());
  }
  return pcm;
}

TEST(ChannelStages, SingleChannelsAndMixDownOfAStereoStream) {
  for (const char* name : {"l3-44100-stereo-cbr128-crc.mp3", "l3-44100-vbr-xing.mp3",
                           "l2-48000-joint-cbr192.mp2", "l1-fl1.bit"}) {
    const std::vector<uint8_t> data = ReadTestFile(name);
    const std::vector<int16_t> stereo = DecodeWithFlags(data, output_flags::kChannelsAsCoded);
    const std::vector<int16_t> left = DecodeWithFlags(data, output_flags::kLeftOnly);
    const std::vector<int16_t> right = DecodeWithFlags(data, output_flags::kRightOnly);
    const std::vector<int16_t> mix = DecodeWithFlags(data, output_flags::kMixDown);
    ASSERT_EQ(left.size() * 2, stereo.size());
    ASSERT_EQ(mix.size(), left.size());
    int worstChannel = 0, worstMix = 0;
    for (size_t i = 0; i < left.size(); ++i) {
      worstChannel = std::max({worstChannel, std::abs(left[i] - stereo[2 * i]),
                               std::abs(right[i] - stereo[2 * i + 1])});
      const int average = (stereo[2 * i] + stereo[2 * i + 1]) / 2;
      worstMix = std::max(worstMix, std::abs(mix[i] - average));
    }
    EXPECT_LE(worstChannel, 1) << name;
    EXPECT_LE(worstMix, 2) << name;
  }
}

TEST(ChannelStages, MonoFramesOfAStereoStreamPlayOnBothChannels) {
  const std::vector<uint8_t> data = ReadTestFile("m25-l3-11025-mono-cbr16.mp3");
  const std::vector<int16_t> mono = DecodeWithFlags(data, output_flags::kChannelsAsCoded);
  const std::vector<int16_t> stereo = DecodeWithFlags(data, output_flags::kChannelsAsCoded, 0);
  ASSERT_EQ(stereo.size(), 2 * mono.size());
  for (size_t i = 0; i < mono.size(); ++i) {
    ASSERT_LE(std::abs(stereo[2 * i] - mono[i]), 1) << i;
    ASSERT_EQ(stereo[2 * i], stereo[2 * i + 1]) << i;
  }
}

}  // namespace
}  // namespace orvana::engine
