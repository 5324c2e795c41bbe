#include "engine/frame_scanner.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/stream_decoder.h"
#include "test_streams.h"

namespace orvana::engine {
namespace {

using testing::ReadTestFile;

std::vector<uint8_t> Id3v2Tag(size_t body, bool footer = false) {
  std::vector<uint8_t> tag = {'I', 'D', '3', 3, 0, static_cast<uint8_t>(footer ? 0x10 : 0)};
  for (int shift = 21; shift >= 0; shift -= 7) tag.push_back((body >> shift) & 0x7F);
  tag.resize(10 + body + (footer ? 10 : 0), 0xFF);  // a body full of false syncs
  return tag;
}

TEST(Id3v2TagSize, HeaderBodyAndFooter) {
  std::vector<uint8_t> tag = Id3v2Tag(300);
  EXPECT_EQ(Id3v2TagSize(tag.data(), tag.size()), 310u);
  tag = Id3v2Tag(200000, true);
  EXPECT_EQ(Id3v2TagSize(tag.data(), tag.size()), 200020u);
  tag = Id3v2Tag(10);
  tag[7] = 0x80;  // not a 7-bit size byte
  EXPECT_EQ(Id3v2TagSize(tag.data(), tag.size()), 0u);
  EXPECT_EQ(Id3v2TagSize(tag.data(), 9), 0u);
  const uint8_t audio[10] = {0xFF, 0xFB, 0x90, 0x64};
  EXPECT_EQ(Id3v2TagSize(audio, 10), 0u);
}

// The first frames of a real stream.
class Scanning : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::vector<uint8_t> data = ReadTestFile("l3-44100-stereo-cbr128-crc.mp3");
    FrameScanner scanner(data.data(), data.size());
    ASSERT_TRUE(scanner.FindFirstFrame());
    ScannedFrame frame;
    for (int i = 0; i < 6 && scanner.Next(frame); ++i)
      frames.emplace_back(data.begin() + frame.offset, data.begin() + frame.offset + frame.length);
  }
  std::vector<uint8_t> Join(const std::vector<std::vector<uint8_t>>& parts) {
    std::vector<uint8_t> joined;
    for (const auto& part : parts) joined.insert(joined.end(), part.begin(), part.end());
    return joined;
  }
  std::vector<ScannedFrame> ScanAll(const std::vector<uint8_t>& data, size_t* skipped = nullptr) {
    FrameScanner scanner(data.data(), data.size());
    std::vector<ScannedFrame> found;
    if (!scanner.FindFirstFrame()) return found;
    for (ScannedFrame frame; scanner.Next(frame);) found.push_back(frame);
    if (skipped) *skipped = scanner.skippedBytes();
    return found;
  }
  std::vector<std::vector<uint8_t>> frames;
};

TEST_F(Scanning, PassesOverTagsAndGarbage) {
  const std::vector<uint8_t> garbage = {0x00, 0xFF, 0x12, 0xFF, 0xF0, 0x00, 0x00, 0x55};
  const std::vector<uint8_t> data =
      Join({Id3v2Tag(100), Id3v2Tag(20), frames[0], frames[1], garbage, frames[2], frames[3]});
  size_t skipped = 0;
  const std::vector<ScannedFrame> found = ScanAll(data, &skipped);
  ASSERT_EQ(found.size(), 4u);
  EXPECT_EQ(found[0].offset, 140u);
  EXPECT_EQ(found[2].offset, 140u + frames[0].size() + frames[1].size() + garbage.size());
  EXPECT_EQ(skipped, 140u + garbage.size());
}

TEST_F(Scanning, OnlyFramesOfTheFirstVersionLayerAndRate) {
  std::vector<uint8_t> otherRate = frames[1];
  otherRate[2] = static_cast<uint8_t>((otherRate[2] & ~0x0C) | 0x04);  // 48 kHz
  std::vector<uint8_t> otherLayer = frames[2];
  otherLayer[1] = 0xFD;
  std::vector<uint8_t> changed = frames[3];
  changed[1] |= 1;  // no CRC
  changed[3] = static_cast<uint8_t>((changed[3] & 0x3F) | 0xC0);  // mono
  const std::vector<uint8_t> data = Join({frames[0], otherRate, otherLayer, changed});
  const std::vector<ScannedFrame> found = ScanAll(data);
  ASSERT_GE(found.size(), 2u);
  EXPECT_EQ(found.front().offset, 0u);
  EXPECT_EQ(found.back().offset, frames[0].size() + otherRate.size() + otherLayer.size())
      << "bit rate, padding, CRC and mode may change";
}

TEST_F(Scanning, CutOffLastFrameIsNotAFrame) {
  const std::vector<uint8_t> whole = Join({frames[0], frames[1], frames[2]});
  const std::vector<uint8_t> cut(whole.begin(), whole.end() - 10);
  EXPECT_EQ(ScanAll(cut).size(), 2u);
}

TEST_F(Scanning, TextIsNotMpegAudio) {
  const std::string text = "This is not an MPEG audio file, only text.\n";
  const std::vector<uint8_t> data(text.begin(), text.end());
  FrameScanner scanner(data.data(), data.size());
  EXPECT_FALSE(scanner.FindFirstFrame());
  ScannedFrame frame;
  EXPECT_FALSE(scanner.Next(frame));
  FrameScanner empty(data.data(), 0);
  EXPECT_FALSE(empty.FindFirstFrame());
}

TEST(VbrHeaderFrame, FoundAfterTheSideInformation) {
  struct Case {
    std::vector<uint8_t> header;
    int offset;
  };
  const Case cases[] = {
      {{0xFF, 0xFB, 0x90, 0x64}, 36},  // MPEG-1 stereo
      {{0xFF, 0xFB, 0x90, 0xC4}, 21},  // MPEG-1 mono
      {{0xFF, 0xFA, 0x90, 0x64}, 38},  // with CRC
      {{0xFF, 0xF3, 0x80, 0x44}, 21},  // MPEG-2 stereo
      {{0xFF, 0xE3, 0x80, 0xC4}, 13},  // MPEG-2.5 mono
  };
  for (const Case& c : cases) {
    for (const char* tag : {"Xing", "VBRI", "Info"}) {
      std::vector<uint8_t> frame(200, 0);
      std::memcpy(frame.data(), c.header.data(), 4);
      std::memcpy(frame.data() + c.offset, tag, 4);
      FrameHeader header;
      ParseFrameHeader(frame.data(), 0, header);
      EXPECT_EQ(IsVbrHeaderFrame(frame.data(), 200, header), std::string(tag) != "Info")
          << tag << " at " << c.offset;
      EXPECT_FALSE(IsVbrHeaderFrame(frame.data(), c.offset + 3, header)) << "past the frame";
    }
  }
}

TEST(StreamDecoder, XingFrameIsNotAudio) {
  const std::vector<uint8_t> data = ReadTestFile("l3-44100-vbr-xing.mp3");
  const auto decoded = testing::DecodeWholeStream(data, kFullBandMaxFrequency, 1);
  ASSERT_EQ(decoded.open, StreamDecoder::OpenResult::kReady);
  EXPECT_EQ(decoded.pcm.size(), testing::ReadTestPcm("l3-44100-vbr-xing.pcm").size());
  EXPECT_EQ(decoded.rejected, 0);
}

TEST(StreamDecoder, FreeFormatFramesTakeTheFirstLength) {
  const std::vector<uint8_t> data = ReadTestFile("l3-he_free.bit");
  FrameScanner scanner(data.data(), data.size());
  ASSERT_TRUE(scanner.FindFirstFrame());
  EXPECT_EQ(scanner.firstHeader().bitrateIndex, 0);
  EXPECT_GT(scanner.firstFrameLength(), 0);
  size_t end = 0;
  int count = 0;
  for (ScannedFrame frame; scanner.Next(frame); ++count) {
    EXPECT_EQ(frame.offset, end) << "frames follow one another";
    EXPECT_EQ(frame.length, scanner.firstFrameLength() + frame.header.paddingBit);
    end = frame.offset + frame.length;
  }
  EXPECT_EQ(end, data.size());
  EXPECT_GT(count, 60);
}

TEST(StreamDecoder, LayerIAndIIAreNotDecodedYet) {
  for (const char* name : {"l1-fl1.bit", "l2-fl10.bit", "l2-48000-joint-cbr192.mp2"}) {
    const auto decoded = testing::DecodeWholeStream(ReadTestFile(name), kPlayerMaxFrequency, 1);
    EXPECT_EQ(decoded.open, StreamDecoder::OpenResult::kLayerNotSupported) << name;
  }
}

}  // namespace
}  // namespace orvana::engine
