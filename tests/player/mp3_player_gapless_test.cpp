// Files as encoders write them today: LAME's Xing and Info frames with the
// encoder's delays, played gapless, and free-format streams.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "player_harness.h"

namespace orvana::player {
namespace {

using testing::DataPath;
using testing::ReadBytes;
using testing::TBytes;
using testing::TQuietPlayer;

const std::string kMonoSource = "player/tone-22050-mono.wav";
const std::string kMonoInfo = "player/tone-22050-mono-info.mp3";
const std::string kMonoXing = "player/tone-22050-mono-xing.mp3";
const std::string kStereoInfo = "player/tone-44100-stereo-info.mp3";
constexpr std::int64_t kStereoToneSamples = 52920;  // 1.2 s at 44.1 kHz

std::vector<std::int16_t> Samples(const TBytes& bytes) {
  std::vector<std::int16_t> samples(bytes.size() / 2);
  for (std::size_t i = 0; i < samples.size(); ++i)
    samples[i] = static_cast<std::int16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
  return samples;
}

// Root-mean-square difference of `a` shifted by `shift` samples against `b`.
double RmsDifference(const std::vector<std::int16_t>& a, const std::vector<std::int16_t>& b, int shift) {
  double sum = 0;
  std::size_t count = 0;
  for (std::size_t i = 64; i + 64 < b.size(); ++i) {
    const std::int64_t j = static_cast<std::int64_t>(i) + shift;
    if (j < 0 || j >= static_cast<std::int64_t>(a.size())) continue;
    const double d = a[static_cast<std::size_t>(j)] - b[i];
    sum += d * d;
    ++count;
  }
  return count == 0 ? 1e9 : std::sqrt(sum / static_cast<double>(count));
}

TEST(GaplessPlayback, LameFilesComeBackWithTheSourcesLengthAndAlignment) {
  const std::vector<std::int16_t> source = Samples(testing::WaveSamples(DataPath(kMonoSource)));
  ASSERT_EQ(source.size(), 11025u);
  for (const std::string& name : {kMonoInfo, kMonoXing}) {
    TQuietPlayer player;
    player.SetFileName(DataPath(name));
    player.Open();
    EXPECT_EQ(player.Length(), 500) << name;
    const TBytes played = testing::PlayToWave(player);
    EXPECT_EQ(played, testing::CliDecode(DataPath(name), "--gapless")) << name;
    const std::vector<std::int16_t> samples = Samples(played);
    ASSERT_EQ(samples.size(), source.size()) << name;
    // Lossy, but in step: any shift of a sample makes the difference grow.
    const double aligned = RmsDifference(samples, source, 0);
    EXPECT_LT(aligned, 700) << name << ": within 4 % of the tone's peak, 16384";
    for (int shift : {-2, -1, 1, 2}) EXPECT_GT(RmsDifference(samples, source, shift), aligned) << name << shift;
  }
}

TEST(GaplessPlayback, TheInfoFrameIsNotAudioAndKeepsTheBitRate) {
  TQuietPlayer player;
  player.SetFileName(DataPath(kStereoInfo));
  player.Open();
  EXPECT_EQ(player.Bitrate(), 128000) << "a constant-bit-rate file";
  EXPECT_EQ(player.Length(), 1200);
  EXPECT_EQ(static_cast<std::int64_t>(testing::PlayToWave(player).size()), kStereoToneSamples * 4);
  // Without --gapless the command decodes every frame, the Info frame too.
  const auto frames = testing::FramesOf(ReadBytes(DataPath(kStereoInfo)));
  EXPECT_EQ(testing::CliDecode(DataPath(kStereoInfo)).size(), frames.size() * 4608);
}

TEST(GaplessPlayback, SeekingCountsTheMusicAloneToTheSample) {
  TQuietPlayer player;
  player.SetFileName(DataPath(kStereoInfo));
  player.Open();
  player.Play();
  player.Pause();
  player.Seek(500);
  EXPECT_EQ(player.Position(), 500);
  player.Seek(10);
  EXPECT_EQ(player.Position(), 10);
  player.Seek(0);
  EXPECT_EQ(player.Position(), 0);
  player.Seek(60000);
  EXPECT_LE(player.Position(), player.Length()) << "beyond the end: the last frame, never past the music";
  EXPECT_GT(player.Position(), 1100);
  player.Seek(1190);
  EXPECT_EQ(player.Position(), 1190) << "back from the end, by the table";
  player.Stop();
  EXPECT_EQ(player.Position(), 0);
}

// The Info frame of the stereo tone with other delays and frame count, its
// checksum made to fit.
TBytes WithDelays(int frames, int delay, int padding) {
  TBytes bytes = ReadBytes(DataPath(kStereoInfo));
  constexpr std::size_t kXing = 36;
  constexpr std::size_t kExtension = kXing + 120;
  for (int i = 0; i < 4; ++i) bytes[kXing + 8 + i] = static_cast<std::uint8_t>(frames >> (24 - 8 * i));
  bytes[kExtension + 21] = static_cast<std::uint8_t>(delay >> 4);
  bytes[kExtension + 22] = static_cast<std::uint8_t>((delay & 0xF) << 4 | padding >> 8);
  bytes[kExtension + 23] = static_cast<std::uint8_t>(padding);
  std::uint16_t crc = 0;
  for (std::size_t i = 0; i < kExtension + 34; ++i) {
    crc ^= bytes[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) != 0 ? (crc >> 1) ^ 0xA001 : crc >> 1;
  }
  bytes[kExtension + 34] = static_cast<std::uint8_t>(crc >> 8);
  bytes[kExtension + 35] = static_cast<std::uint8_t>(crc);
  return bytes;
}

TEST(GaplessPlayback, DelaysAtTheirLimits) {
  // A delay longer than three frames: the first frames are dropped whole.
  TQuietPlayer player;
  testing::OpenBytes(player, WithDelays(47, 4095, 0));
  EXPECT_EQ(static_cast<std::int64_t>(testing::PlayToWave(player).size()), (47 * 1152 - 4095 - 529) * 4)
      << "the decoder's own delay leaves the last samples unmade";
  // More delay and padding than the stream holds: nothing to play, and play still ends.
  testing::OpenBytes(player, WithDelays(1, 4095, 4095));
  testing::TEventLog log(player);
  EXPECT_TRUE(testing::PlayToWave(player).empty());
  EXPECT_EQ(log.reasons, std::vector<TMP3EndPlayReason>{meprEndOfStream});
}

TEST(FreeFormat, PlaysWithTheMeasuredBitRateLengthAndSeeking) {
  const std::string path = DataPath("l3-he_free.bit");
  TQuietPlayer player;
  player.SetFileName(path);
  player.Open();
  EXPECT_EQ(player.Bitrate(), 119743) << "391-byte frames at 44.1 kHz";
  EXPECT_NEAR(static_cast<double>(player.Length()), 1776, 10) << "68 frames";
  EXPECT_EQ(testing::PlayToWave(player), testing::CliDecode(path));

  player.Play();
  player.Pause();
  player.Seek(1000);
  EXPECT_EQ(player.Position(), 1018) << "frame 39, measured by stepping over free-format frames";
  player.Seek(60000);
  EXPECT_EQ(player.Position(), std::int64_t{67} * 4608 * 8000 / 1411200);
}

}  // namespace
}  // namespace orvana::player
