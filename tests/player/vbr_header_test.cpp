#include "player/vbr_header.h"

#include <gtest/gtest.h>

#include <string>

#include "tag_builders.h"
#include "test_streams.h"

namespace orvana::player {
namespace {

using namespace std::string_literals;

using engine::VbrHeaderOffset;
using testing::BigEndian;
using testing::TBytes;

engine::FrameHeader Parse(const TBytes& frame) {
  engine::FrameHeader header;
  engine::ParseFrameHeader(frame.data(), 0, header);
  return header;
}

// A frame of `length` bytes with `header` and `tag` at the VBR offset.
TBytes FrameWith(const std::string& header, const std::string& tag, int length = 417) {
  TBytes frame(header.begin(), header.end());
  frame.resize(static_cast<std::size_t>(length), 0);
  const int offset = VbrHeaderOffset(Parse(frame));
  std::copy(tag.begin(), tag.end(), frame.begin() + offset);
  return frame;
}

const std::string kMpeg1Stereo = "\xFF\xFB\x90\x00"s;

TEST(VbrHeader, OffsetFollowsTheSideInformationAndTheCrcWord) {
  const auto offsetOf = [](const std::string& header) {
    return VbrHeaderOffset(Parse(TBytes(header.begin(), header.end())));
  };
  EXPECT_EQ(offsetOf(kMpeg1Stereo), 36);
  EXPECT_EQ(offsetOf("\xFF\xFB\x90\xC0"s), 21);  // MPEG-1 single channel
  EXPECT_EQ(offsetOf("\xFF\xFA\x90\x00"s), 38);  // with CRC
  EXPECT_EQ(offsetOf("\xFF\xF3\x90\x00"s), 21);  // MPEG-2 stereo
  EXPECT_EQ(offsetOf("\xFF\xF3\x90\xC0"s), 13);  // MPEG-2 single channel
  EXPECT_EQ(offsetOf("\xFF\xE2\x90\xC0"s), 15);  // MPEG-2.5 single channel with CRC
}

TEST(VbrHeader, XingFieldsFollowItsFlags) {
  const TBytes bothCounts = FrameWith(kMpeg1Stereo, "Xing" + BigEndian(3) + BigEndian(1000) + BigEndian(417000));
  const TVbrHeader both = ReadVbrHeader(bothCounts.data(), 417, Parse(bothCounts));
  EXPECT_EQ(both.kind, TVbrHeaderKind::kXing);
  EXPECT_EQ(both.frames, 1000);
  EXPECT_EQ(both.bytes, 417000);

  // Without the frame count the byte count moves up into its place.
  const TBytes bytesOnly = FrameWith(kMpeg1Stereo, "Xing" + BigEndian(2) + BigEndian(5555));
  const TVbrHeader onlyBytes = ReadVbrHeader(bytesOnly.data(), 417, Parse(bytesOnly));
  EXPECT_EQ(onlyBytes.frames, 0);
  EXPECT_EQ(onlyBytes.bytes, 5555);

  const TBytes none = FrameWith(kMpeg1Stereo, "Xing" + BigEndian(0xC) + BigEndian(77) + BigEndian(88));
  const TVbrHeader noCounts = ReadVbrHeader(none.data(), 417, Parse(none));
  EXPECT_EQ(noCounts.kind, TVbrHeaderKind::kXing) << "still a header frame, just without counts";
  EXPECT_EQ(noCounts.frames, 0);
  EXPECT_EQ(noCounts.bytes, 0);
}

TEST(VbrHeader, VbriHasFixedPlaces) {
  const std::string vbri = "VBRI" + std::string("\x00\x01\x00\x32\x00\x00", 6) + BigEndian(123456) + BigEndian(300);
  const TBytes frame = FrameWith(kMpeg1Stereo, vbri);
  const TVbrHeader found = ReadVbrHeader(frame.data(), 417, Parse(frame));
  EXPECT_EQ(found.kind, TVbrHeaderKind::kVbri);
  EXPECT_EQ(found.bytes, 123456);
  EXPECT_EQ(found.frames, 300);
}

TEST(VbrHeader, CountsThatAreNotPositiveOrLiePastTheFrameAreAbsent) {
  const TBytes negative = FrameWith(kMpeg1Stereo, "Xing" + BigEndian(3) + BigEndian(0x80000000u) + BigEndian(0));
  const TVbrHeader found = ReadVbrHeader(negative.data(), 417, Parse(negative));
  EXPECT_EQ(found.frames, 0);
  EXPECT_EQ(found.bytes, 0);

  // A frame that ends inside the header's fields: nothing is read past it.
  const TBytes whole = FrameWith(kMpeg1Stereo, "Xing" + BigEndian(3) + BigEndian(9) + BigEndian(99));
  const TVbrHeader cut = ReadVbrHeader(whole.data(), 36 + 10, Parse(whole));
  EXPECT_EQ(cut.kind, TVbrHeaderKind::kXing);
  EXPECT_EQ(cut.frames, 0);
  EXPECT_EQ(ReadVbrHeader(whole.data(), 36 + 3, Parse(whole)).kind, TVbrHeaderKind::kNone);
}

TEST(VbrHeader, InfoHasXingsLayout) {
  const TBytes info = FrameWith(kMpeg1Stereo, "Info" + BigEndian(3) + BigEndian(9) + BigEndian(99));
  const TVbrHeader found = ReadVbrHeader(info.data(), 417, Parse(info));
  EXPECT_EQ(found.kind, TVbrHeaderKind::kInfo);
  EXPECT_EQ(found.frames, 9);
  EXPECT_EQ(found.bytes, 99);
  EXPECT_FALSE(found.hasEncoderDelays) << "no encoder's extension after the fields";
}

TEST(VbrHeader, EncoderDelaysWhereTheExtensionsChecksumHolds) {
  // LAME's own frames: every Xing field, then the extension.
  const TBytes bytes = testing::ReadBytes(testing::DataPath("player/tone-44100-stereo-info.mp3"));
  const TVbrHeader found = ReadVbrHeader(bytes.data(), 417, Parse(bytes));
  ASSERT_TRUE(found.hasEncoderDelays);
  EXPECT_EQ(found.encoderDelay, 576);
  EXPECT_EQ(found.encoderPadding, 648);
  EXPECT_EQ(std::int64_t{found.frames} * 1152 - 576 - 648, 52920) << "the source's samples";

  TBytes spoilt = bytes;
  spoilt[36 + 120 + 22] ^= 0x10;  // a delay bit, the checksum left as it was
  EXPECT_FALSE(ReadVbrHeader(spoilt.data(), 417, Parse(spoilt)).hasEncoderDelays);
  // A frame that ends inside the extension keeps its Xing fields only.
  const TVbrHeader cut = ReadVbrHeader(bytes.data(), 36 + 120 + 35, Parse(bytes));
  EXPECT_EQ(cut.frames, found.frames);
  EXPECT_FALSE(cut.hasEncoderDelays);
}

TEST(VbrHeader, AnythingElseIsAudio) {
  // The tag must sit right after the side information, not anywhere.
  const TBytes shifted = FrameWith(kMpeg1Stereo, std::string(1, '\0') + "Xing");
  EXPECT_EQ(ReadVbrHeader(shifted.data(), 417, Parse(shifted)).kind, TVbrHeaderKind::kNone);
}

}  // namespace
}  // namespace orvana::player
