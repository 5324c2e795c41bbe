#pragma once
// The playback commands of the window (play, stop, pause, next, previous,
// repeat and shuffle), what follows when a song ends (queued in the player
// while the song before still plays, so that it follows without a gap), the history box,
// seeking on the progress bar, and what the window shows of the song that
// plays. Everything runs on the window's thread, where the player's events
// arrive too.
#include <QElapsedTimer>
#include <functional>
#include <optional>
#include <string>

#include "app/actions/action_list.h"
#include "app/cover/song_cover.h"
#include "app/lyrics/lyrics.h"
#include "app/playlist/playlist.h"
#include "app/playlist/random_generator.h"
#include "app/window/main_window_state.h"
#include "app/window/main_window_widgets.h"
#include "app/window/following_song.h"
#include "app/window/play_history.h"
#include "player/mp3_player.h"

namespace orvana::app {

class TPlaybackControl {
 public:
  struct TWindowHooks {
    std::function<void()> updateCaption;
    std::function<void(int)> setCurrentIndex;
    std::function<void(std::int64_t)> seeked;  // the position jumped there (ms)
    std::function<void()> songHeard;           // a new song or station title is heard
  };

  TPlaybackControl(TPlaylist& playlist, TMainWindowState& state, player::TMP3Player& player, TActionList& actions,
                   const TMainWindowWidgets& widgets, TRandom& random, TWindowHooks hooks);

  // The action handlers.
  void Play();
  void Stop();
  void Pause();
  void Step(bool forward);  // actNext, actPrevious

  // The player's events.
  void EndPlay(player::TMP3EndPlayReason reason);
  void PositionChanged();
  void StatusChanged();
  // The song queued to follow is heard now.
  void SongChanged();
  // A station's name or title has changed, or it has connected.
  void StationChanged();

  // The song to follow the one that plays, queued in the player: again
  // whenever what decides it has changed (the list, repeat, shuffle).
  void PrepareNext();

  // The user's gestures: a list row (double click, Enter), a history entry,
  // a press on the progress bar.
  void PlayRow(int row);
  void PlayHistoryEntry(int index);
  void SeekAt(int x);
  // Seeks the song that plays or pauses to `milliseconds`, as a press on the
  // progress bar does; nothing while stopped.
  void SeekTo(std::int64_t milliseconds);

  TPlayHistory& History() { return history_; }
  const TLyrics& Lyrics() const { return lyrics_; }
  // The cover of the song heard.
  const TSongCover& Cover() const { return cover_; }
  // Songs started so far: a song started twice counts twice.
  int SongsStarted() const { return songsStarted_; }

 private:
  enum class TPlayOutcome { kMissing, kFailed, kPlaying };

  // What the window shows and keeps once a song is heard.
  void SongStarted(int index, const std::string& path, const TTagRecord& tag);
  void ShowSong(int index, const TTagRecord& tag);
  void ShowProperties();
  void ShowLyrics(const std::string& path);
  void ShowCover(const std::string& path);
  // A station's state where a song's lyric line shows, and its position bar off.
  void ShowStationState();
  // The song heard has ended: one more of those that ended as soon as they began, or none.
  void CountEmptyEnd();
  void FollowEndedSong();
  TPlayModes Modes() { return {actions_[aiRepeat].Checked(), actions_[aiShuffle].Checked()}; }
  int FirstItemWithPath(const std::string& path) const;
  void Invoke(TActionId id) { actions_[id].Execute(); }

  TPlaylist& playlist_;
  TMainWindowState& state_;
  player::TMP3Player& player_;
  TActionList& actions_;
  const TMainWindowWidgets& widgets_;
  TRandom& random_;
  TWindowHooks hooks_;
  TPlayHistory history_;
  TLyrics lyrics_;
  TSongCover cover_;
  TPlayOutcome lastPlay_ = TPlayOutcome::kMissing;
  bool passEnded_ = false;   // actNext found every item played, without repeat
  QElapsedTimer songClock_;  // since the song that plays started
  std::int64_t songLength_ = 0;
  int emptyEnds_ = 0;        // songs in a row that ended as soon as they began
  std::optional<TFollowingSong> prepared_;  // queued to follow the song heard
  int songsStarted_ = 0;
};

}  // namespace orvana::app
