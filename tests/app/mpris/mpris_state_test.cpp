// The MPRIS view of the player as data: metadata, the properties that
// changed, and volume.
#include "app/desktop/mpris_state.h"

#include <gtest/gtest.h>

#include <QDBusObjectPath>
#include <QUrl>
#include <cmath>
#include <limits>

namespace orvana::app {
namespace {

TMprisState Playing(const std::string& path) {
  TMprisState state;
  state.status = player::msPlaying;
  state.track.serial = 4;
  state.track.path = path;
  state.track.lengthMs = 61'500;
  return state;
}

TEST(MprisState, WithoutASongOnlyTheNoTrackIdIsGiven) {
  const QVariantMap metadata = MprisMetadata(TMprisState{});
  ASSERT_EQ(metadata.size(), 1);
  EXPECT_EQ(metadata.value("mpris:trackid").value<QDBusObjectPath>().path(),
            "/org/mpris/MediaPlayer2/TrackList/NoTrack");
}

TEST(MprisState, MetadataOfATaggedSongWithLyrics) {
  TMprisState state = Playing("/music/夜 の歌 #1.mp3");
  state.track.title = "夜の歌";
  state.track.artist = "歌手";
  state.track.album = "アルバム";
  state.track.genre = "J-Pop";
  state.track.trackNumber = "3/12";
  state.track.lyrics = {"一行目", "", "三行目"};
  const QVariantMap metadata = MprisMetadata(state);

  EXPECT_EQ(metadata.value("mpris:trackid").value<QDBusObjectPath>().path(), "/org/orvana/Track/4");
  EXPECT_EQ(metadata.value("mpris:length").toLongLong(), 61'500'000);
  EXPECT_EQ(metadata.value("mpris:length").userType(), QMetaType::LongLong);  // "x" on the bus
  EXPECT_EQ(metadata.value("xesam:title").toString(), "夜の歌");
  EXPECT_EQ(metadata.value("xesam:artist").toStringList(), QStringList{"歌手"});
  EXPECT_EQ(metadata.value("xesam:album").toString(), "アルバム");
  EXPECT_EQ(metadata.value("xesam:genre").toStringList(), QStringList{"J-Pop"});
  EXPECT_EQ(metadata.value("xesam:trackNumber").toInt(), 3);
  // Spaces, "#" and Japanese are escaped: the address leads back to the file.
  const QString url = metadata.value("xesam:url").toString();
  EXPECT_TRUE(url.startsWith("file:///music/")) << url.toStdString();
  EXPECT_FALSE(url.contains(' ') || url.contains('#')) << url.toStdString();
  EXPECT_EQ(QUrl(url).toLocalFile(), "/music/夜 の歌 #1.mp3");
  EXPECT_EQ(metadata.value("xesam:asText").toString(), "一行目\n\n三行目");
}

TEST(MprisState, TextsATagLacksAreLeftOut) {
  TMprisState state = Playing("/music/a.mp3");
  state.track.trackNumber = "A1";  // no number to give
  const QVariantMap metadata = MprisMetadata(state);
  for (const char* key : {"xesam:title", "xesam:artist", "xesam:album", "xesam:genre", "xesam:trackNumber",
                          "xesam:asText"})
    EXPECT_FALSE(metadata.contains(key)) << key;
  EXPECT_TRUE(metadata.contains("xesam:url"));
}

TEST(MprisState, OnlyThePropertiesThatChangedAreSent) {
  TMprisState before = Playing("/music/a.mp3");
  before.canPause = true;
  EXPECT_TRUE(ChangedMprisPlayerProperties(before, before).isEmpty());

  TMprisState paused = before;
  paused.status = player::msPaused;
  paused.shuffle = true;
  const QVariantMap changed = ChangedMprisPlayerProperties(before, paused);
  EXPECT_EQ(changed.keys(), (QStringList{"PlaybackStatus", "Shuffle"}));
  EXPECT_EQ(changed.value("PlaybackStatus").toString(), "Paused");

  // The same file started again is another track.
  TMprisState again = before;
  again.track.serial = 5;
  EXPECT_EQ(ChangedMprisPlayerProperties(before, again).keys(), QStringList{"Metadata"});

  TMprisState stopped;
  stopped.repeat = true;
  const QVariantMap toStopped = ChangedMprisPlayerProperties(before, stopped);
  EXPECT_TRUE(toStopped.contains("Metadata"));
  EXPECT_EQ(toStopped.value("LoopStatus").toString(), "Playlist");
  EXPECT_FALSE(toStopped.contains("Rate"));
  EXPECT_FALSE(toStopped.contains("Position"));
}

TEST(MprisState, VolumeIsHeldWithinThePlayersRange) {
  EXPECT_EQ(PlayerVolumeFromMpris(0.0), 0);
  EXPECT_EQ(PlayerVolumeFromMpris(-0.5), 0);
  EXPECT_EQ(PlayerVolumeFromMpris(std::numeric_limits<double>::quiet_NaN()), 0);
  EXPECT_EQ(PlayerVolumeFromMpris(0.555), 56);
  EXPECT_EQ(PlayerVolumeFromMpris(1.0), 100);
  EXPECT_EQ(PlayerVolumeFromMpris(7.5), 100);
  EXPECT_EQ(PlayerVolumeFromMpris(std::numeric_limits<double>::infinity()), 100);
}

}  // namespace
}  // namespace orvana::app
