// playerctl, a real MPRIS client, reading and driving the window's player
// while songs play on the null device.
#include <gtest/gtest.h>

#include <QUrl>
#include <cstdlib>

#include "mpris_fixture.h"

namespace orvana::app::testing {
namespace {

using player::msPaused;
using player::msPlaying;
using player::msStopped;

class MprisPlayerctl : public MprisFixture {};

QString FileUrl(const std::string& path) {
  return QUrl::fromLocalFile(QString::fromStdString(path)).toString(QUrl::FullyEncoded);
}

TEST_F(MprisPlayerctl, ReadsWhatTheWindowPlays) {
  const std::string a = LongSong("a.mp3");
  const std::string b = LongSong("b b.mp3");
  TForm1& window = StartWith({a, b});
  ASSERT_EQ(Status(), msPlaying);  // the last song given plays

  EXPECT_EQ(Playerctl({"status"}), "Playing");
  EXPECT_EQ(Playerctl({"metadata", "xesam:url"}), FileUrl(b));
  EXPECT_EQ(Playerctl({"metadata", "xesam:title"}), window.ApplicationTitle());
  EXPECT_EQ(Playerctl({"metadata", "mpris:length"}).toLongLong(), window.MP3Player1().Length() * 1000);
  bool number = false;
  const double position = Playerctl({"position"}).toDouble(&number);
  EXPECT_TRUE(number);
  EXPECT_GE(position, 0.0);
  EXPECT_LT(position, window.MP3Player1().Length() / 1000.0);
  EXPECT_EQ(Playerctl({"loop"}), "None");
  EXPECT_EQ(Playerctl({"shuffle"}), "Off");
}

TEST_F(MprisPlayerctl, DrivesThePlayerAsTheToolButtonsDo) {
  const std::string a = LongSong("a.mp3");
  const std::string c = LongSong("c.mp3");
  TForm1& window = StartWith({a, LongSong("b.mp3"), c});

  Playerctl({"pause"});
  ASSERT_TRUE(WaitUntil([&] { return Status() == msPaused; }));
  EXPECT_TRUE(window.Actions()[aiPause].Checked());
  EXPECT_EQ(Playerctl({"status"}), "Paused");
  Playerctl({"pause"});  // paused already: stays so
  EXPECT_EQ(Playerctl({"status"}), "Paused");

  Playerctl({"play"});
  ASSERT_TRUE(WaitUntil([&] { return Status() == msPlaying; }));
  Playerctl({"play-pause"});
  ASSERT_TRUE(WaitUntil([&] { return Status() == msPaused; }));
  Playerctl({"play-pause"});
  ASSERT_TRUE(WaitUntil([&] { return Status() == msPlaying; }));

  Playerctl({"next"});  // round to the first song
  ASSERT_TRUE(WaitUntil([&] { return PlayingFile() == a; }));
  EXPECT_EQ(window.State().currentIndex, 0);
  EXPECT_EQ(Playerctl({"metadata", "xesam:url"}), FileUrl(a));
  Playerctl({"previous"});  // round to the last
  ASSERT_TRUE(WaitUntil([&] { return PlayingFile() == c; }));

  Playerctl({"position", "10"});
  ASSERT_TRUE(WaitUntil([&] { return std::abs(window.MP3Player1().Position() - 10'000) < 1500; }))
      << window.MP3Player1().Position();
  Playerctl({"position", "4-"});
  ASSERT_TRUE(WaitUntil([&] { return std::abs(window.MP3Player1().Position() - 6'000) < 1500; }))
      << window.MP3Player1().Position();
  Playerctl({"position", "100+"});  // beyond the end: the next song
  ASSERT_TRUE(WaitUntil([&] { return PlayingFile() == a; }));

  Playerctl({"stop"});
  ASSERT_TRUE(WaitUntil([&] { return Status() == msStopped; }));
  EXPECT_EQ(Playerctl({"status"}), "Stopped");
  EXPECT_EQ(window.windowTitle().toStdString(), "Orvana -  <停止中>");
}

TEST_F(MprisPlayerctl, RepeatShuffleAndVolumeAreTheWindows) {
  TForm1& window = StartWith({LongSong("a.mp3")});

  Playerctl({"loop", "Playlist"});
  ASSERT_TRUE(WaitUntil([&] { return window.Actions()[aiRepeat].Checked(); }));
  Playerctl({"loop", "Track"});  // not a mode of this player: nothing changes
  EXPECT_EQ(Playerctl({"loop"}), "Playlist");
  Playerctl({"loop", "None"});
  ASSERT_TRUE(WaitUntil([&] { return !window.Actions()[aiRepeat].Checked(); }));

  Playerctl({"shuffle", "On"});
  ASSERT_TRUE(WaitUntil([&] { return window.Actions()[aiShuffle].Checked(); }));
  window.Actions()[aiShuffle].Execute();  // the tool button
  EXPECT_EQ(Playerctl({"shuffle"}), "Off");

  Playerctl({"volume", "0.4"});
  ASSERT_TRUE(WaitUntil([&] { return window.MP3Player1().Volume() == 40; }));
  EXPECT_EQ(window.Widgets().trbVolume->value(), 40);
  EXPECT_DOUBLE_EQ(Playerctl({"volume"}).toDouble(), 0.4);
  Playerctl({"volume", "3"});
  ASSERT_TRUE(WaitUntil([&] { return window.MP3Player1().Volume() == 100; }));
}

TEST_F(MprisPlayerctl, AnEmptyListCanNeitherPlayNorSkip) {
  StartWith({});
  EXPECT_EQ(Playerctl({"status"}), "Stopped");
  Playerctl({"play"});
  Playerctl({"next"});
  Spin(200);
  EXPECT_EQ(Status(), msStopped);
  EXPECT_TRUE(errors.isEmpty());
}

}  // namespace
}  // namespace orvana::app::testing
