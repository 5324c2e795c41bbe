#include "player/frame_stream.h"

#include <gtest/gtest.h>

#include <string>

#include "tag_builders.h"

namespace orvana::player {
namespace {

using namespace std::string_literals;

using testing::TBytes;
using testing::TMemoryStream;

// A frame of `length` bytes starting with `header` (the rest zero).
std::string Frame(const std::string& header, int length) {
  std::string frame = header;
  frame.resize(static_cast<std::size_t>(length), '\0');
  return frame;
}

const std::string kFirst = "\xFF\xFB\x90\x00"s;  // MPEG-1 Layer III, 128 kbit/s, 44.1 kHz: 417 bytes

struct TFrames {
  explicit TFrames(const std::string& bytes, std::int64_t size = kDataSizeUnknown)
      : stream(testing::Bytes(bytes)), reader(65536), frames(reader) {
    reader.Open(&stream, true);
    frames.Reset(0, size);
    reader.Need(4);
    frames.TakeFirstHeader();
  }
  int SizeOf(const std::string& header) const {
    engine::FrameHeader parsed;
    return frames.FrameSize(reinterpret_cast<const std::uint8_t*>(header.data()), parsed);
  }

  TMemoryStream stream;
  TMPStreamReader reader;
  TMPFrameStream frames;
};

TEST(FrameStream, FramesMayChangeBitRatePaddingCrcAndModeButNothingElse) {
  const TFrames f(Frame(kFirst, 417));
  EXPECT_EQ(f.SizeOf(kFirst), 417);
  EXPECT_EQ(f.SizeOf("\xFF\xFB\x92\x00"s), 418) << "padding slot";
  EXPECT_EQ(f.SizeOf("\xFF\xFB\xA0\x00"s), 522) << "160 kbit/s";
  EXPECT_EQ(f.SizeOf("\xFF\xFA\x90\x00"s), 417) << "with CRC";
  EXPECT_EQ(f.SizeOf("\xFF\xFB\x90\xC4"s), 417) << "single channel, other flags";
  EXPECT_EQ(f.SizeOf("\xFF\xFB\x94\x00"s), 0) << "48 kHz";
  EXPECT_EQ(f.SizeOf("\xFF\xFD\x90\x00"s), 0) << "Layer II";
  EXPECT_EQ(f.SizeOf("\xFF\xF3\x90\x00"s), 0) << "MPEG-2";
  EXPECT_EQ(f.SizeOf("\xFF\xFB\x00\x00"s), 0) << "free format measures 0";
  EXPECT_LT(f.SizeOf("\xFF\xFB\x9C\x00"s), 1) << "reserved frequency";
  EXPECT_EQ(f.SizeOf("\x00\xFB\x90\x00"s), 0);
}

TEST(FrameStream, LayerIPaddingIsAFourByteSlot) {
  const std::string layerI = "\xFF\xFF\x90\x00"s;  // 288 kbit/s, 44.1 kHz: 312 bytes
  const TFrames f(Frame(layerI, 312));
  EXPECT_EQ(f.SizeOf(layerI), 312);
  EXPECT_EQ(f.SizeOf("\xFF\xFF\x92\x00"s), 316);
  engine::FrameHeader padded;
  const std::string paddedHeader = "\xFF\xFF\x92\x00"s;
  engine::ParseFrameHeader(reinterpret_cast<const std::uint8_t*>(paddedHeader.data()), 0, padded);
  EXPECT_EQ(TMPFrameStream::LengthWithoutPadding(316, padded), 312);
}

TEST(FrameStream, GarbageIsPassedUpTo4096BytesThenTheDataEnds) {
  TFrames f(Frame(kFirst, 417) + std::string(5000, '\0'));
  f.reader.Skip(417);
  for (int i = 0; i < TMPFrameStream::kGarbageLimit; ++i) f.frames.SkipGarbageByte();
  EXPECT_EQ(f.reader.Position(), 417 + 4096);
  EXPECT_FALSE(f.frames.Exhausted());
  f.frames.SkipGarbageByte();
  EXPECT_EQ(f.reader.Position(), 417 + 4096) << "the 4097th byte is not passed";
  EXPECT_TRUE(f.frames.Exhausted());
  EXPECT_EQ(f.frames.DataSize(), 417 + 4096);
  f.frames.ClearSkipCount();
  EXPECT_EQ(f.frames.SkipCount(), 0);
}

TEST(FrameStream, NextFrameStepsOverFramesInsideTheDataOnly) {
  const std::string stream =
      Frame(kFirst, 417) + std::string(100, '\0') + Frame("\xFF\xFB\x92\x00"s, 418) + Frame(kFirst, 417);
  TFrames f(stream, 417 + 100 + 418 + 416);  // the last frame sticks out of the data
  EXPECT_TRUE(f.frames.NextFrame());
  EXPECT_EQ(f.reader.Position(), 417);
  EXPECT_TRUE(f.frames.NextFrame()) << "after 100 garbage bytes";
  EXPECT_EQ(f.reader.Position(), 417 + 100 + 418);
  EXPECT_FALSE(f.frames.NextFrame());
  EXPECT_EQ(f.reader.Position(), 417 + 100 + 418) << "not stepped over";

  TFrames unknownSize(stream);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(unknownSize.frames.NextFrame());
  EXPECT_FALSE(unknownSize.frames.NextFrame()) << "the stream's end";
}

TEST(FrameStream, NextFrameGivesUpAfter4095GarbageBytes) {
  TFrames near(Frame(kFirst, 417) + std::string(4095, '\0') + Frame(kFirst, 417));
  near.reader.Skip(417);
  EXPECT_TRUE(near.frames.NextFrame());
  TFrames far(Frame(kFirst, 417) + std::string(4096, '\0') + Frame(kFirst, 417));
  far.reader.Skip(417);
  EXPECT_FALSE(far.frames.NextFrame());
}

TEST(FrameStream, MovingTheStartShrinksAKnownSizeOnly) {
  TFrames known(Frame(kFirst, 417), 1000);
  known.frames.MoveDataStart(300);
  EXPECT_EQ(known.frames.DataStart(), 300);
  EXPECT_EQ(known.frames.DataSize(), 700);
  known.frames.MoveDataStart(900);
  EXPECT_EQ(known.frames.DataSize(), 0) << "never below zero";
  TFrames unknown(Frame(kFirst, 417));
  unknown.frames.MoveDataStart(300);
  EXPECT_FALSE(unknown.frames.DataSizeKnown());
}

}  // namespace
}  // namespace orvana::player
