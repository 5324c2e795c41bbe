// Truncated and corrupted copies of every fixture: the scans must find less,
// never read outside the data, loop, or report an extent beyond the file.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "info_scan.h"
#include "platform/text_encoding.h"
#include "player/replay_gain_limits.h"

namespace orvana::player {
namespace {

using namespace testing;

const char* const kFixtures[] = {
    "plain.mp3",         "eyed3-v23-latin1.mp3", "eyed3-v23-utf16.mp3", "eyed3-v24.mp3",
    "eyed3-v11.mp3",     "id3v2-tool.mp3",       "ffmpeg-info.wav",     "ffmpeg-streamed.wav",
    "v22.mp3",           "v23-unsync.mp3",       "v23-extended.mp3",    "v23-stray.mp3",
    "v23-utf16-marks.mp3", "v1-cp932.mp3",       "lyrics3v1.mp3",       "lyrics3v2.mp3",
    "lyrics3v2-notag.mp3", "macbinary.bin",      "riff-tail-info.wav",  "riff-iid3.wav",
    "eyed3-v24-utf8.mp3",  "eyed3-v24-utf16.mp3", "eyed3-v24-utf16-be.mp3", "eyed3-v24-date.mp3",
    "v24-unsync.mp3",      "v24-frame-flags.mp3", "v24-extended.mp3",    "v24-footer.mp3",
    "rg-eyed3-over-lame.mp3", "rg-id3v2-album.mp3", "v24-bent.mp3",
};

// A scan reads a few structures; anything near this many reads is a loop.
constexpr int kReadLimit = 2000;

void ExpectSane(const TInfoScan& scan, std::size_t fileSize, const std::string& what) {
  const auto size = static_cast<std::int64_t>(fileSize);
  EXPECT_GE(scan.info.DataStart(), 0) << what;
  EXPECT_LE(scan.info.DataStart(), size) << what;
  if (scan.reader.Seekable()) {
    EXPECT_GE(scan.info.DataSize(), 0) << what;
    EXPECT_LE(scan.info.DataStart() + scan.info.DataSize(), size) << what;
  }
  EXPECT_LT(scan.stream.reads, kReadLimit) << what;
  for (const TKeyedList* list : {&scan.info.ID3v1Values(), &scan.info.ID3v2Values(), &scan.info.RiffValues(),
                                 &scan.info.LyricsValues()})
    for (const std::string& line : list->Lines()) EXPECT_TRUE(platform::IsValidUtf8(line)) << what;
  const TReplayGainValues& gains = scan.info.ReplayGain().values;
  for (const auto& gain : {gains.trackGainDb, gains.albumGainDb})
    EXPECT_TRUE(!gain || std::fabs(*gain) <= kLargestReplayGainDb) << what;
  for (const auto& peak : {gains.trackPeak, gains.albumPeak})
    EXPECT_TRUE(!peak || (*peak > 0 && *peak <= kLargestReplayGainPeak)) << what;
  for (const std::string& text : {scan.info.Title(), scan.info.Artist(), scan.info.Album(), scan.info.Year(),
                                  scan.info.Comment(), scan.info.Genre(), scan.info.Track()})
    EXPECT_TRUE(platform::IsValidUtf8(text)) << what;
}

void ScanBothWays(const TBytes& bytes, const std::string& what) {
  for (const bool seekable : {true, false}) {
    const TInfoScan scan(bytes, seekable);
    ExpectSane(scan, bytes.size(), what + (seekable ? " seekable" : " streamed"));
    if (::testing::Test::HasFailure()) return;
  }
}

TEST(HostileInput, CopiesCutAtEveryLength) {
  for (const char* name : kFixtures) {
    const TBytes whole = Fixture(name);
    for (std::size_t length = 0; length <= whole.size(); ++length) {
      ScanBothWays(TBytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length)),
                   std::string(name) + " cut at " + std::to_string(length));
      if (HasFailure()) return;
    }
  }
}

// Sizes, lengths and counts replaced by extreme values wherever a tag may hold one.
TEST(HostileInput, SizesOverwrittenWithExtremeValues) {
  const std::uint32_t extremes[] = {0x00000000, 0x00000001, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0x7F7F7F7F};
  constexpr std::size_t kEdge = 320;  // the tags live near the ends of these files
  for (const char* name : kFixtures) {
    const TBytes whole = Fixture(name);
    for (std::size_t at = 0; at + 4 <= whole.size(); ++at) {
      if (at >= kEdge && at + kEdge + 4 < whole.size()) continue;
      for (const std::uint32_t value : extremes) {
        TBytes bytes = whole;
        for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
        ScanBothWays(bytes, std::string(name) + " value at " + std::to_string(at));
        if (HasFailure()) return;
      }
    }
  }
}

TEST(HostileInput, DecimalSizesOfLyricsBlocksOverwritten) {
  for (const char* name : {"lyrics3v2.mp3", "lyrics3v2-notag.mp3", "lyrics3v1.mp3"}) {
    const TBytes whole = Fixture(name);
    for (std::size_t at = 1881; at < whole.size(); ++at) {
      for (const char digit : {'0', '9', 'x'}) {
        TBytes bytes = whole;
        bytes[at] = static_cast<std::uint8_t>(digit);
        ScanBothWays(bytes, std::string(name) + " digit at " + std::to_string(at));
        if (HasFailure()) return;
      }
    }
  }
}

TEST(HostileInput, RandomDamage) {
  std::mt19937 random(20240611);
  for (const char* name : kFixtures) {
    const TBytes whole = Fixture(name);
    for (int round = 0; round < 300; ++round) {
      TBytes bytes = whole;
      const int damaged = 1 + static_cast<int>(random() % 8);
      for (int i = 0; i < damaged; ++i) bytes[random() % bytes.size()] = static_cast<std::uint8_t>(random());
      ScanBothWays(bytes, std::string(name) + " round " + std::to_string(round));
      if (HasFailure()) return;
    }
  }
}

TEST(HostileInput, ChunkWalkOverManyTinyChunksEnds) {
  TBytes bytes;
  Append(bytes, "RIFF");
  Append(bytes, std::string("\xFF\xFF\xFF\x7F", 4));
  Append(bytes, "WAVE");
  for (int i = 0; i < 20000; ++i) Append(bytes, std::string("tiny\1\0\0\0x\0", 10));
  ScanBothWays(bytes, "tiny chunks");
}

}  // namespace
}  // namespace orvana::player
