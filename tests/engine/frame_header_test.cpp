#include "engine/frame_header.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace orvana::engine {
namespace {

int Parse(std::vector<uint8_t> bytes, FrameHeader& header, int length = 4) {
  return ParseFrameHeader(bytes.data(), length, header);
}

TEST(ParseFrameHeader, Mpeg1Layer3Fields) {
  FrameHeader header;
  EXPECT_EQ(Parse({0xFF, 0xFB, 0x90, 0x64}, header), 417);
  EXPECT_EQ(header.syncKind, 1);
  EXPECT_EQ(header.versionId, 1);
  EXPECT_EQ(header.layerCode, 1);
  EXPECT_EQ(header.protectionBit, 1);
  EXPECT_EQ(header.bitrateIndex, 9);
  EXPECT_EQ(header.sampleRateIndex, 0);
  EXPECT_EQ(header.paddingBit, 0);
  EXPECT_EQ(header.mode, 1);
  EXPECT_EQ(header.modeExtension, 2);
  EXPECT_EQ(header.copyStatusBit, 0);
  EXPECT_EQ(header.originalBit, 1);
  EXPECT_EQ(header.emphasis, 0);
}

TEST(ParseFrameHeader, LengthExcludesPaddingSlot) {
  FrameHeader header;
  EXPECT_EQ(Parse({0xFF, 0xFB, 0x92, 0x64}, header), 417);
  EXPECT_EQ(header.paddingBit, 1);
}

TEST(ParseFrameHeader, LengthsOfEveryVersionAndLayer) {
  FrameHeader header;
  // MPEG-2 Layer III, 64 kbit/s, 22.05 kHz: 64 * 1440 / 441.
  EXPECT_EQ(Parse({0xFF, 0xF3, 0x80, 0xC4}, header), 208);
  EXPECT_EQ(header.versionId, 0);
  // MPEG-2.5 Layer III, 8 kbit/s, 8 kHz: the 11-bit sync keeps the factor 2880.
  EXPECT_EQ(Parse({0xFF, 0xE3, 0x18, 0xC4}, header), 72);
  EXPECT_EQ(header.syncKind, 2);
  EXPECT_EQ(header.versionId, 0);
  // Layer I, 32 kbit/s, 44.1 kHz: the slot count is truncated before the 4 bytes a slot.
  EXPECT_EQ(Parse({0xFF, 0xFF, 0x10, 0x00}, header), 32);
  EXPECT_EQ(header.layerCode, 3);
  // Layer II, 192 kbit/s, 48 kHz.
  EXPECT_EQ(Parse({0xFF, 0xFD, 0xA4, 0x00}, header), 576);
  // MPEG-2 Layer II, 96 kbit/s, 24 kHz.
  EXPECT_EQ(Parse({0xFF, 0xF5, 0xA4, 0x00}, header), 576);
}

TEST(ParseFrameHeader, InvalidHeaders) {
  FrameHeader header;
  EXPECT_EQ(Parse({0xFF, 0xFB, 0xF0, 0x64}, header), 0) << "forbidden bit rate";
  EXPECT_LT(Parse({0xFF, 0xFB, 0x9C, 0x64}, header), 0) << "reserved sampling frequency";
  EXPECT_EQ(Parse({0xFF, 0xF9, 0x90, 0x64}, header), 0) << "reserved layer";
  EXPECT_EQ(Parse({0xFF, 0xEB, 0x90, 0x64}, header), 0) << "11-bit sync with the MPEG-1 bit";
  EXPECT_EQ(Parse({0xFF, 0x7B, 0x90, 0x64}, header), 0);
  EXPECT_EQ(header.syncKind, 0);
  EXPECT_EQ(Parse({0xFE, 0xFB, 0x90, 0x64}, header), 0);
  EXPECT_EQ(header.syncKind, 0);
}

TEST(ReadFrameHeader, BitRate) {
  const uint8_t bytes[] = {0xFF, 0xFB, 0x90, 0x64};
  FrameHeader header;
  int bitrate = -1;
  EXPECT_EQ(ReadFrameHeader(bytes, 4, header, bitrate), 417);
  EXPECT_EQ(bitrate, 128000);
  const uint8_t invalid[] = {0xFF, 0xFB, 0xF0, 0x64};
  EXPECT_EQ(ReadFrameHeader(invalid, 4, header, bitrate), 0);
  EXPECT_EQ(bitrate, 0);
}

// Free-format frames of `length` bytes (padding extra) with the given header
// bytes; the bodies are zero so that no false sync appears.
std::vector<uint8_t> FreeFormatStream(const std::vector<uint8_t>& header, int length, int frames,
                                      const std::vector<int>& padded = {}, int slot = 1) {
  std::vector<uint8_t> stream;
  for (int i = 0; i < frames; ++i) {
    const bool pad = i < static_cast<int>(padded.size()) && padded[i];
    std::vector<uint8_t> frame(length + (pad ? slot : 0), 0);
    std::memcpy(frame.data(), header.data(), 4);
    frame[2] = static_cast<uint8_t>((frame[2] & ~2) | (pad ? 2 : 0));
    stream.insert(stream.end(), frame.begin(), frame.end());
  }
  return stream;
}

TEST(FreeFormat, LengthIsTheDistanceToTheNextIdenticalHeader) {
  const std::vector<uint8_t> stream = FreeFormatStream({0xFF, 0xFB, 0x00, 0x64}, 600, 5);
  FrameHeader header;
  int bitrate = 0;
  EXPECT_EQ(ReadFrameHeader(stream.data(), static_cast<int>(stream.size()), header, bitrate), 600);
  EXPECT_EQ(bitrate, 600 * 882 * 1000 / 2880);
  EXPECT_EQ(ParseFrameHeader(stream.data(), 0, header), 0) << "no bytes to search";
}

TEST(FreeFormat, PaddedFramesAlongTheChain) {
  const std::vector<uint8_t> stream =
      FreeFormatStream({0xFF, 0xFB, 0x00, 0x64}, 480, 6, {1, 0, 1, 1, 0, 1});
  FrameHeader header;
  EXPECT_EQ(ParseFrameHeader(stream.data(), static_cast<int>(stream.size()), header), 480);
  EXPECT_EQ(header.paddingBit, 1);
}

TEST(FreeFormat, PaddedLayerIFrameCountsItsFourByteSlot) {
  const std::vector<uint8_t> stream =
      FreeFormatStream({0xFF, 0xFF, 0x00, 0x00}, 400, 5, {1, 0, 1}, 4);
  FrameHeader header;
  EXPECT_EQ(ParseFrameHeader(stream.data(), static_cast<int>(stream.size()), header), 400);
}

TEST(FreeFormat, FalseCandidateInsideAFrameIsPassedOver) {
  std::vector<uint8_t> stream = FreeFormatStream({0xFF, 0xFB, 0x00, 0x64}, 700, 4);
  stream[100] = 0xFF;
  stream[101] = 0xFB;
  FrameHeader header;
  EXPECT_EQ(ParseFrameHeader(stream.data(), static_cast<int>(stream.size()), header), 700);
}

TEST(FreeFormat, BrokenChainOrSingleFrameGivesZero) {
  std::vector<uint8_t> stream = FreeFormatStream({0xFF, 0xFB, 0x00, 0x64}, 500, 3);
  stream[1000] = 0;  // the third header is gone
  FrameHeader header;
  EXPECT_EQ(ParseFrameHeader(stream.data(), static_cast<int>(stream.size()), header), 0);
  const std::vector<uint8_t> single = FreeFormatStream({0xFF, 0xFB, 0x00, 0x64}, 500, 1);
  EXPECT_EQ(ParseFrameHeader(single.data(), static_cast<int>(single.size()), header), 0);
}

TEST(FreeFormat, LongFramesAndTheSearchLimit) {
  const std::vector<uint8_t> stream = FreeFormatStream({0xFF, 0xFB, 0x00, 0x64}, 2100, 5);
  FrameHeader header;
  EXPECT_EQ(ParseFrameHeader(stream.data(), static_cast<int>(stream.size()), header), 2100);
  // Only the first 10000 bytes are searched: a second frame beyond them is never seen.
  const std::vector<uint8_t> huge = FreeFormatStream({0xFF, 0xFB, 0x00, 0x64}, 10200, 2);
  EXPECT_EQ(ParseFrameHeader(huge.data(), static_cast<int>(huge.size()), header), 0);
}

TEST(FreeFormat, ReservedSamplingFrequencyIsInvalid) {
  const std::vector<uint8_t> stream = FreeFormatStream({0xFF, 0xFB, 0x0C, 0x64}, 500, 4);
  FrameHeader header;
  EXPECT_LT(ParseFrameHeader(stream.data(), static_cast<int>(stream.size()), header), 0);
}

TEST(FindFrameSync, FindsTheFirstCandidate) {
  std::vector<uint8_t> bytes = {0x00, 0x12, 0xFF, 0x00, 0x7F, 0xFF, 0xFB, 0x90, 0x64, 0x00};
  FrameHeader header;
  int bitrate = 0;
  int offset = -1;
  EXPECT_EQ(FindFrameSync(bytes.data(), static_cast<int>(bytes.size()), header, bitrate, offset),
            417);
  EXPECT_EQ(offset, 5);
  EXPECT_EQ(bitrate, 128000);
}

TEST(FindFrameSync, NoCandidateLeavesTheOffset) {
  const std::vector<uint8_t> bytes = {0xFF, 0xD0, 0x12, 0xFF, 0x00, 0x34, 0xFF};
  FrameHeader header;
  int bitrate = 0;
  int offset = -1;
  EXPECT_EQ(FindFrameSync(bytes.data(), static_cast<int>(bytes.size()), header, bitrate, offset),
            0);
  EXPECT_EQ(offset, -1);
}

TEST(FindFrameSync, DoesNotMoveOnPastAnInvalidCandidate) {
  const std::vector<uint8_t> bytes = {0xFF, 0xE8, 0x90, 0x64, 0xFF, 0xFB, 0x90, 0x64};
  FrameHeader header;
  int bitrate = 0;
  int offset = -1;
  EXPECT_EQ(FindFrameSync(bytes.data(), static_cast<int>(bytes.size()), header, bitrate, offset),
            0);
  EXPECT_EQ(offset, 0);
}

TEST(FindFrameSync, CandidateCutOffByTheEndIsNotRead) {
  // Exactly sized so that a read past the end would be caught by the sanitizer.
  for (int tail = 2; tail <= 3; ++tail) {
    std::vector<uint8_t> bytes(8, 0x00);
    bytes.resize(6 + tail - 2);
    bytes[bytes.size() - tail] = 0xFF;
    bytes[bytes.size() - tail + 1] = 0xFB;
    FrameHeader header;
    int bitrate = 7;
    int offset = -1;
    EXPECT_EQ(FindFrameSync(bytes.data(), static_cast<int>(bytes.size()), header, bitrate, offset),
              0);
    EXPECT_EQ(offset, static_cast<int>(bytes.size()) - tail);
    EXPECT_EQ(bitrate, 0);
  }
}

}  // namespace
}  // namespace orvana::engine
