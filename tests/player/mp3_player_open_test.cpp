// Opening: the first frame, the stream values, VBR headers and the length,
// tags in front, and every way a stream is refused.
#include <gtest/gtest.h>

#include <stdexcept>

#include "player/player_messages.h"
#include "player_harness.h"
#include "tag_builders.h"

namespace orvana::player {
namespace {

using namespace std::string_literals;

using testing::BigEndian;
using testing::DataPath;
using testing::FramesOf;
using testing::OpenBytes;
using testing::ReadBytes;
using testing::TBytes;
using testing::TQuietPlayer;

constexpr int kPcmBytesPerFrame = 4608;  // 1152 stereo 16-bit samples

// A stream that counts its own destruction.
class TCountedStream : public testing::TMemoryStream {
 public:
  TCountedStream(TBytes bytes, int& destroyed) : TMemoryStream(std::move(bytes)), destroyed_(destroyed) {}
  ~TCountedStream() override { ++destroyed_; }

 private:
  int& destroyed_;
};

void ExpectRefused(const TBytes& bytes) {
  TQuietPlayer player;
  int destroyed = 0;
  try {
    player.OpenStream(new TCountedStream(bytes, destroyed), msoSeekable | msoOwnsStream);
    ADD_FAILURE() << "opened";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "unknown MPEG Audio format.");
  }
  EXPECT_FALSE(player.Opened());
  EXPECT_EQ(destroyed, 1) << "an owned stream is freed when the open fails";
  EXPECT_EQ(player.Layer() + player.Frequency() + player.Channels(), 0);
}

TEST(PlayerOpen, ConstantBitRateStream) {
  TQuietPlayer player;
  player.SetFileName(DataPath(testing::kCbrTone));
  player.Open();
  EXPECT_TRUE(player.Opened());
  EXPECT_EQ(player.Status(), msStopped);
  EXPECT_EQ(player.Layer(), 3);
  EXPECT_EQ(player.Version(), 1);
  EXPECT_EQ(player.Frequency(), 44100);
  EXPECT_EQ(player.Channels(), 2);
  EXPECT_EQ(player.Bitrate(), 128000);
  const auto size = static_cast<std::int64_t>(ReadBytes(DataPath(testing::kCbrTone)).size());
  EXPECT_EQ(player.Length(), size * 8 * 1000 / 128000);
}

TEST(PlayerOpen, VersionsAndChannelsOfLowSamplingFrequencies) {
  TQuietPlayer player;
  player.SetFileName(DataPath("lsf-l3-22050-stereo-cbr64.mp3"));
  player.Open();
  EXPECT_EQ(player.Version(), 2);
  EXPECT_EQ(player.Frequency(), 22050);
  player.SetFileName(DataPath("m25-l3-11025-mono-cbr16.mp3"));
  player.Open();
  EXPECT_EQ(player.Version(), 3);
  EXPECT_EQ(player.Frequency(), 11025);
  EXPECT_EQ(player.Channels(), 1);
  EXPECT_EQ(player.Bitrate(), 16000);
}

// The Xing tone is 1.2 s of music that LAME encoded with its delays noted.
constexpr std::int64_t kXingToneSamples = 52920;

TEST(PlayerOpen, XingHeaderGivesTheLengthAndIsNeverPlayed) {
  const TBytes bytes = ReadBytes(DataPath(testing::kXingTone));
  TQuietPlayer player;
  OpenBytes(player, bytes);
  EXPECT_EQ(player.Bitrate(), 0);
  EXPECT_EQ(player.Length(), 1200) << "the music alone";
  const TBytes played = testing::PlayToWave(player);
  EXPECT_EQ(static_cast<std::int64_t>(played.size()), kXingToneSamples * 4);
  EXPECT_EQ(played, testing::CliDecode(DataPath(testing::kXingTone), "--gapless"));
}

TEST(PlayerOpen, TagInFrontOfAXingFrame) {
  const TBytes xing = ReadBytes(DataPath(testing::kXingTone));
  TBytes bytes = testing::Bytes(testing::ID3v2Tag(testing::ID3v23Frame("TIT2", std::string("\0Tagged", 7))));
  testing::AppendBytes(bytes, xing);
  testing::TTempFile file(".mp3");
  testing::WriteBytes(file.Path(), bytes);

  TQuietPlayer player;
  player.SetFileName(file.Path());
  player.Open();
  EXPECT_EQ(player.Title(), "Tagged");
  EXPECT_EQ(player.Bitrate(), 0);
  EXPECT_EQ(player.Length(), 1200);
  const TBytes expected = testing::CliDecode(file.Path(), "--gapless");
  ASSERT_EQ(static_cast<std::int64_t>(expected.size()), kXingToneSamples * 4);
  EXPECT_EQ(testing::PlayToWave(player), expected);
  // Stop went back to the first audio frame, past the tag and the Xing frame.
  ASSERT_TRUE(player.Opened());
  EXPECT_EQ(testing::PlayToWave(player), expected);
}

TEST(PlayerOpen, XingWithoutTheEncodersDelaysPlaysEveryFrame) {
  TBytes bytes = ReadBytes(DataPath(testing::kXingTone));
  const auto frames = FramesOf(bytes);
  // Spoiling the extension's checksum leaves only the Xing fields to trust.
  bytes[frames[0].offset + 36 + 120 + 34] ^= 0x55;
  TQuietPlayer player;
  OpenBytes(player, bytes);
  const int count = testing::XingFrameCount(bytes, 0);
  EXPECT_EQ(count, static_cast<int>(frames.size()) - 1) << "LAME counts the audio frames only";
  EXPECT_EQ(player.Length(), std::int64_t{count - 1} * kPcmBytesPerFrame * 1000 / 176400);
  EXPECT_EQ(testing::PlayToWave(player).size(), std::size_t{kPcmBytesPerFrame} * count);
}

TEST(PlayerOpen, HandMadeVbriHeader) {
  TBytes bytes = ReadBytes(DataPath(testing::kCbrTone));
  const auto frames = FramesOf(bytes);
  ASSERT_GT(frames.size(), 3u);
  // The first frame becomes a VBRI frame: version, delay, quality, bytes, frames.
  std::fill(bytes.begin() + 4, bytes.begin() + frames[0].length, 0);
  const std::string vbri = "VBRI" + std::string("\x00\x01\x00\x00\x00\x4B", 6) + BigEndian(9000) + BigEndian(101);
  std::copy(vbri.begin(), vbri.end(), bytes.begin() + 36);
  testing::TTempFile file(".mp3");
  testing::WriteBytes(file.Path(), bytes);

  TQuietPlayer player;
  player.SetFileName(file.Path());
  player.Open();
  EXPECT_EQ(player.Bitrate(), 0);
  EXPECT_EQ(player.Length(), std::int64_t{100} * kPcmBytesPerFrame * 1000 / 176400);
  // Its byte count (less the header frame) is now where the data ends: a
  // frame is played when it starts inside.
  const std::int64_t start = static_cast<std::int64_t>(frames[1].offset);
  const std::int64_t size = 9000 - frames[0].length;
  std::int64_t inside = 0;
  for (std::size_t i = 1; i < frames.size(); ++i)
    if (static_cast<std::int64_t>(frames[i].offset) - start < size) ++inside;
  EXPECT_EQ(static_cast<std::int64_t>(testing::PlayToWave(player).size()), inside * kPcmBytesPerFrame);
}

TEST(PlayerOpen, SyncFoundFurtherOnMovesTheDataStart) {
  const TBytes tone = ReadBytes(DataPath(testing::kCbrTone));
  TBytes bytes(300, 0);
  testing::AppendBytes(bytes, tone);
  TQuietPlayer player;
  OpenBytes(player, bytes);
  EXPECT_EQ(player.Length(), static_cast<std::int64_t>(tone.size()) * 8 * 1000 / 128000);
}

TEST(PlayerOpen, EqualizerIsSetUpOnceOpen) {
  TQuietPlayer player;
  player.SetFileName(DataPath(testing::kCbrTone));
  player.Open();
  EXPECT_TRUE(player.Messages().IsQueued(MPM_EQUALIZER));
  player.Messages().DispatchPending();
  EXPECT_EQ(player.EqualizerFrequency(0), 345) << "the sub-band centres at 44.1 kHz";
  EXPECT_EQ(player.EqualizerFrequency(3), 2412);
}

TEST(PlayerOpen, WhatIsNotAPlayableStreamIsRefused) {
  ExpectRefused({});
  ExpectRefused(testing::Bytes("\xFF\xFB\x90"));
  ExpectRefused(testing::CountingBytes(20000));  // no sync at all
  TBytes cut = ReadBytes(DataPath(testing::kCbrTone));
  cut.resize(200);
  ExpectRefused(cut);  // the first frame is not whole
  ExpectRefused(testing::Bytes("\xFF\xFB\x9C\x00"s + std::string(500, '\0')));  // reserved frequency
  ExpectRefused(testing::Bytes("\xFF\xF9\x90\x00"s + std::string(500, '\0')));  // reserved layer
}

TEST(PlayerOpen, AFailedOpenLeavesThePlayerClosed) {
  TQuietPlayer player;
  player.SetFileName(DataPath(testing::kCbrTone));
  player.Open();
  player.SetFileName(DataPath("README.md"));
  EXPECT_THROW(player.Open(), std::runtime_error);
  EXPECT_FALSE(player.Opened());
  EXPECT_EQ(player.FileName(), "");
  EXPECT_EQ(player.Capabilities().Bits(), mpcOpen);
}

TEST(PlayerOpen, AStreamNotOwnedIsLeftToItsOwner) {
  testing::TMemoryStream stream(ReadBytes(DataPath(testing::kCbrTone)));
  {
    TQuietPlayer player;
    player.OpenStream(&stream, msoSeekable);
    EXPECT_TRUE(player.Opened());
    player.Close();
    EXPECT_FALSE(player.Opened());
  }
  EXPECT_GT(stream.Size(), 0) << "still alive";
}

}  // namespace
}  // namespace orvana::player
