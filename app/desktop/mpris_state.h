#pragma once
// What the desktop's media controls see of the player, as plain data: the
// properties of MPRIS's player interface, taken at one moment, and what
// changed between two such moments.
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <cstdint>
#include <string>
#include <vector>

#include "player/mp3_player_types.h"

namespace orvana::app {

// The song the player has open.
struct TMprisTrack {
  int serial = 0;  // counts songs started: a song played twice is two tracks
  std::string path;
  std::int64_t lengthMs = 0;
  std::string title;
  std::string artist;
  std::string album;
  std::string genre;
  std::string trackNumber;  // as the tag has it ("3", "3/12", "")
  std::vector<std::string> lyrics;  // the lyrics file's lines; none without one
  std::string coverFile;            // the cached cover picture; empty without one
  bool operator==(const TMprisTrack&) const = default;
};

struct TMprisState {
  player::TMP3Status status = player::msStopped;
  bool repeat = false;
  bool shuffle = false;
  int volume = 100;  // the player's 0..100
  bool canGoNext = false;
  bool canGoPrevious = false;
  bool canPlay = false;
  bool canPause = false;
  bool canSeek = false;
  TMprisTrack track;  // only while a song is open
  bool operator==(const TMprisState&) const = default;
};

// The object path that names a track; "NoTrack" without one.
QString MprisTrackId(const TMprisState& state);
// "Playing", "Paused" or "Stopped".
QString MprisPlaybackStatus(player::TMP3Status status);
// "None" or "Playlist": repeat goes round the list, never one track.
QString MprisLoopStatus(bool repeat);
// The track's xesam/mpris fields; texts the tag lacks are left out.
QVariantMap MprisMetadata(const TMprisState& state);
// Every player property by its name, as PropertiesChanged carries them
// (Position aside: clients ask for it, and learn of jumps from Seeked).
QVariantMap MprisPlayerProperties(const TMprisState& state);
// The properties whose values differ from `before` to `after`.
QVariantMap ChangedMprisPlayerProperties(const TMprisState& before, const TMprisState& after);

// MPRIS volume (0.0..1.0, beyond 1 meaning louder) as the player's 0..100;
// values outside are held at the ends.
int PlayerVolumeFromMpris(double volume);

}  // namespace orvana::app
