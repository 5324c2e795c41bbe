// Bounded random mutation of real frames (fixed seeds): bit flips, cuts and
// random side information through the header parser, the sync search, the
// frame decoder and the stream decoder. Buffers are sized exactly so that the
// sanitizer build catches any read or write outside them.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

#include "engine/cpu_features.h"
#include "engine/engine_state.h"
#include "engine/frame_header.h"
#include "engine/frame_scanner.h"
#include "engine/stream_decoder.h"
#include "test_streams.h"

namespace orvana::engine {
namespace {

using testing::ReadTestFile;

struct Source {
  FrameHeader header;
  int frameLength = 0;
  std::vector<std::vector<uint8_t>> frames;
};

Source FramesOf(const char* name, size_t limit = 40) {
  const std::vector<uint8_t> data = ReadTestFile(name);
  FrameScanner scanner(data.data(), data.size());
  Source source;
  EXPECT_TRUE(scanner.FindFirstFrame()) << name;
  source.header = scanner.firstHeader();
  source.frameLength = scanner.firstFrameLength();
  for (ScannedFrame frame; source.frames.size() < limit && scanner.Next(frame);)
    source.frames.emplace_back(data.begin() + frame.offset,
                               data.begin() + frame.offset + frame.length);
  return source;
}

std::vector<uint8_t> Mutate(std::vector<uint8_t> frame, std::mt19937& random) {
  switch (random() % 6) {
    case 0:  // bit flips anywhere
      for (int n = 1 + random() % 12; n > 0; --n) frame[random() % frame.size()] ^= 1 << (random() % 8);
      break;
    case 1:  // random side information, header kept
      for (size_t i = 4; i < std::min<size_t>(frame.size(), 40); ++i) frame[i] = random();
      break;
    case 2:  // cut short
      frame.resize(random() % frame.size());
      break;
    case 3:  // random second half: Huffman data, Layer I/II samples past their side information
      for (size_t i = frame.size() / 2; i < frame.size(); ++i) frame[i] = random();
      break;
    case 4:  // random header bits after the sync
      frame[1] = static_cast<uint8_t>(0xE0 | (random() & 0x1F));
      frame[2] = random();
      frame[3] = random();
      break;
    default:  // everything random but the sync
      for (size_t i = 2; i < frame.size(); ++i) frame[i] = random();
      break;
  }
  return frame;
}

void CheckSearches(const std::vector<uint8_t>& bytes) {
  FrameHeader header;
  int bitrate = 0, offset = 0;
  const int length = FindFrameSync(bytes.data(), static_cast<int>(bytes.size()), header, bitrate, offset);
  if (length > 0) {
    EXPECT_LE(length, kFrameSearchLimit * 2);
  }
  for (size_t i = 0; i + 4 <= bytes.size(); i += 97)
    ParseFrameHeader(bytes.data() + i, static_cast<int>(bytes.size() - i), header);
}

class HostileFrames : public ::testing::TestWithParam<const char*> {};

TEST_P(HostileFrames, DecodeNeverReadsOrWritesOutside) {
  const Source source = FramesOf(GetParam());
  ASSERT_FALSE(source.frames.empty());
  auto engine = std::make_unique<EngineState>();
  ASSERT_EQ(engine->InitDecoder(source.header, source.frameLength, 0, 0, 0, kFullBandMaxFrequency), 1);
  int openLayer = source.header.layerCode;
  std::mt19937 random(2024);
  for (int round = 0; round < 4000; ++round) {
    const auto& original = source.frames[random() % source.frames.size()];
    const std::vector<uint8_t> frame = random() % 4 == 0 ? original : Mutate(original, random);
    CheckSearches(frame);
    if (frame.empty()) continue;
    // Now and then the engine is opened on a mutated header, as a player
    // seeking into a damaged stream might.
    if (round % 50 == 49) {
      FrameHeader header;
      const int length = ParseFrameHeader(frame.data(), static_cast<int>(frame.size()), header);
      openLayer = header.layerCode;
      if (length <= 0 || !engine->InitDecoder(header, length, 0, 0, 0, kFullBandMaxFrequency)) {
        ASSERT_EQ(engine->InitDecoder(source.header, source.frameLength, 0, 0, 0,
                                      kFullBandMaxFrequency), 1);
        openLayer = source.header.layerCode;
      }
    }
    std::vector<int16_t> pcm(engine->config.frameSamples);
    const DecodeResult result = engine->DecodeFrame(frame.data(), static_cast<int>(frame.size()), pcm.data());
    ASSERT_LE(result.bytesConsumed, static_cast<int>(frame.size()));
    // The Layer III reader's look-ahead stays inside the buffer it read last
    // (the Layer I/II reader reads the frame itself, which the sanitizer
    // build guards).
    if (openLayer == kLayerIIICode) {
      const Layer3State& l3 = engine->layer3;
      const uint8_t* next = l3.reader.next();
      const bool inReservoir = next >= l3.reservoir.data() &&
          next <= l3.reservoir.data() + MainDataReservoir::kCapacity + MainDataReservoir::kSlack;
      const bool inSideInfo = next >= l3.sideInfoCopy && next <= std::end(l3.sideInfoCopy);
      ASSERT_TRUE(inReservoir || inSideInfo);
    }
    if (result.bytesConsumed > 0) {
      ASSERT_EQ(result.bytesProduced, engine->config.outputBytes);
    } else {
      ASSERT_EQ(result.bytesProduced, 0);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Streams, HostileFrames,
                         ::testing::Values("l3-44100-stereo-cbr128-crc.mp3", "l3-si_block.bit",
                                           "l3-he_free.bit", "M2L3_compl24.bit",
                                           "m25-l3-8000-stereo-cbr24.mp3",
                                           "l3-44100-intensity.mp3", "l1-fl3.bit", "l1-fl4.bit",
                                           "l2-fl11.bit", "l2-fl13.bit", "l2-test32.bit",
                                           "l2-48000-joint-cbr192.mp2",
                                           "lsf-l2-24000-stereo-cbr96.mp2"));

TEST(HostileStreams, MutatedFilesDecodeToTheEnd) {
  std::mt19937 random(77);
  for (const char* name : {"m25-l3-11025-mono-cbr16.mp3", "lsf-l3-22050-stereo-cbr64.mp3",
                           "m25-l3-11025-mono-id3v2.mp3", "l1-fl6.bit", "l2-fl14.bit",
                           "lsf-l2-24000-stereo-cbr96.mp2"}) {
    const std::vector<uint8_t> original = ReadTestFile(name);
    for (int round = 0; round < 6; ++round) {
      std::vector<uint8_t> data = original;
      for (int n = 0; n < 40; ++n) data[random() % data.size()] ^= 1 << (random() % 8);
      if (round % 3 == 2) data.resize(random() % data.size());
      const auto decoded = testing::DecodeWholeStream(data, kFullBandMaxFrequency, DetectCpu());
      if (decoded.open == StreamDecoder::OpenResult::kReady) {
        EXPECT_EQ(decoded.pcm.size() % decoded.format.samplesPerFrame, 0u);
      }
    }
  }
}

TEST(HostileStreams, RandomBytesAndFalseSyncs) {
  std::mt19937 random(5);
  for (int round = 0; round < 40; ++round) {
    std::vector<uint8_t> data(1 + random() % 20000);
    for (uint8_t& byte : data) byte = random() % 3 == 0 ? 0xFF : random();
    CheckSearches(data);
    testing::DecodeWholeStream(data, kFullBandMaxFrequency, DetectCpu());
  }
}

}  // namespace
}  // namespace orvana::engine
