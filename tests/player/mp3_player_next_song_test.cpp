// Songs that follow each other without a gap: the next song, queued while
// one plays, is heard right after the last sample of the one before, and
// the host learns of it when it is heard. Whatever the host asks for while
// the next song is on its way is what it gets.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "player_harness.h"
#include "sound/tone_analysis.h"

namespace orvana::player {
namespace {

using testing::DataPath;
using testing::PumpUntil;
using testing::TBytes;
using testing::TQuietPlayer;

// One 440 Hz tone at half of full scale, cut into two files at 0.9 s.
const std::string kFirstPart = "player/tone-440-first-half.mp3";
const std::string kSecondPart = "player/tone-440-second-half.mp3";
constexpr std::size_t kFirstPartSamples = 39690;
constexpr std::size_t kSecondPartSamples = 48510;
constexpr double kTonePeak = 16384;

struct TSongChanges {
  explicit TSongChanges(TMP3Player& player) {
    player.SetOnChangeSong([this](TMP3Player& sender) {
      files.push_back(sender.FileName());
      lengths.push_back(sender.Length());
      positions.push_back(sender.Position());
    });
    player.SetOnEndPlay([this](TMP3Player&, TMP3EndPlayReason reason) { ends.push_back(reason); });
  }
  std::vector<std::string> files;
  std::vector<std::int64_t> lengths;
  std::vector<std::int64_t> positions;
  std::vector<TMP3EndPlayReason> ends;
};

TEST(NextSong, TwoPartsOfAToneJoinAsOneWithoutAGapOrAClick) {
  TQuietPlayer player;
  TSongChanges changes(player);
  player.SetFileName(DataPath(kFirstPart));
  player.Open();
  player.QueueNext(DataPath(kSecondPart));
  EXPECT_EQ(player.NextFileName(), DataPath(kSecondPart));
  EXPECT_EQ(player.Length(), 900) << "the song heard is still the first";

  const TBytes played = testing::PlayToWave(player);
  // Each song exactly as it decodes on its own, one after the other.
  TBytes expected = testing::CliDecode(DataPath(kFirstPart), "--gapless");
  testing::AppendBytes(expected, testing::CliDecode(DataPath(kSecondPart), "--gapless"));
  ASSERT_EQ(played.size(), (kFirstPartSamples + kSecondPartSamples) * 4);
  EXPECT_TRUE(played == expected);

  const std::vector<double> left =
      orvana::testing::LeftChannelOf(std::string(played.begin(), played.end()));
  const double atJoin =
      orvana::testing::LargestPredictionError(left, 440, 44100, kFirstPartSamples - 64, kFirstPartSamples + 64);
  EXPECT_LT(atJoin, 0.05 * kTonePeak) << "the wave goes on across the join";

  ASSERT_EQ(changes.files, std::vector<std::string>{DataPath(kSecondPart)});
  EXPECT_EQ(changes.lengths[0], 1100) << "every property describes the new song";
  EXPECT_EQ(changes.ends, std::vector<TMP3EndPlayReason>{meprEndOfStream}) << "one end, after the last song";
  EXPECT_EQ(player.NextFileName(), "");
}

TEST(NextSong, AnotherSamplingRateReopensTheOutputAndCountsFromZero) {
  TQuietPlayer player;
  TSongChanges changes(player);
  player.SetFileName(DataPath(testing::kCbrTone));
  player.Open();
  player.QueueNext(DataPath(testing::k48kTone));
  player.Play();
  ASSERT_TRUE(PumpUntil(player, [&] { return !changes.ends.empty(); }));
  ASSERT_EQ(changes.files.size(), 1u);
  TQuietPlayer alone;
  alone.SetFileName(DataPath(testing::k48kTone));
  alone.Open();
  EXPECT_EQ(changes.lengths[0], alone.Length());
  EXPECT_LT(changes.positions[0], 300) << "counted from the new song's start";
  EXPECT_EQ(player.Frequency(), 48000);
  EXPECT_EQ(changes.ends, std::vector<TMP3EndPlayReason>{meprEndOfStream});
}

TEST(NextSong, AWaveFileTakesNoSongOfAnotherFormat) {
  TQuietPlayer player;
  player.SetFileName(DataPath(testing::kCbrTone));
  player.Open();
  testing::TTempFile wave(".wav");
  player.SetWaveFileName(wave.Path());
  player.QueueNext(DataPath(testing::k48kTone));
  EXPECT_EQ(player.NextFileName(), "") << "it plays the ordinary way, after the end";
}

// The decoder runs seconds ahead of what is heard: a 1.2 s song is decoded
// whole, and the next begun, as soon as play starts.
class NextSongOnItsWay : public ::testing::Test {
 protected:
  void SetUp() override {
    player.SetFileName(DataPath(testing::kCbrTone));
    player.Open();
    player.QueueNext(DataPath(kSecondPart));
    player.Play();
    ASSERT_TRUE(PumpUntil(player, [&] { return player.Position() >= 200; }));
  }

  TQuietPlayer player;
  TSongChanges changes{player};
};

TEST_F(NextSongOnItsWay, StopDropsIt) {
  player.Stop();
  EXPECT_EQ(player.NextFileName(), "");
  testing::PumpFor(player, 1500);
  EXPECT_TRUE(changes.files.empty());
  EXPECT_EQ(changes.ends, std::vector<TMP3EndPlayReason>{meprStopped});
  EXPECT_EQ(player.FileName(), DataPath(testing::kCbrTone));
}

TEST_F(NextSongOnItsWay, AnotherNextTakesItsPlace) {
  player.QueueNext(DataPath(testing::kXingTone));
  EXPECT_LE(player.Position(), 400) << "the song heard goes on where it was";
  ASSERT_TRUE(PumpUntil(player, [&] { return !changes.ends.empty(); }));
  EXPECT_EQ(changes.files, std::vector<std::string>{DataPath(testing::kXingTone)});
  EXPECT_EQ(changes.ends, std::vector<TMP3EndPlayReason>{meprEndOfStream});
}

TEST_F(NextSongOnItsWay, SeekingGoesBackIntoTheSongHeardAndTheNextStillFollows) {
  player.Seek(100);
  EXPECT_EQ(player.FileName(), DataPath(testing::kCbrTone));
  EXPECT_LT(player.Position(), 200);
  ASSERT_TRUE(PumpUntil(player, [&] { return !changes.files.empty(); }));
  EXPECT_EQ(changes.files[0], DataPath(kSecondPart));
  EXPECT_EQ(player.Length(), 1100);
}

}  // namespace
}  // namespace orvana::player
