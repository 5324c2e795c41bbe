#pragma once
// The playback commands of the window (play, stop, pause, next, previous,
// repeat and shuffle), what follows when a song ends, the history box,
// seeking on the progress bar, and what the window shows of the song that
// plays. Everything runs on the window's thread, where the player's events
// arrive too.
#include <QElapsedTimer>
#include <functional>
#include <string>

#include "app/actions/action_list.h"
#include "app/lyrics/lyrics.h"
#include "app/playlist/playlist.h"
#include "app/playlist/random_generator.h"
#include "app/window/main_window_state.h"
#include "app/window/main_window_widgets.h"
#include "app/window/play_history.h"
#include "player/mp3_player.h"

namespace orvana::app {

class TPlaybackControl {
 public:
  struct TWindowHooks {
    std::function<void()> updateCaption;
    std::function<void(int)> setCurrentIndex;
    std::function<void(std::int64_t)> seeked;  // the position jumped there (ms)
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
  // Songs started so far: a song started twice counts twice.
  int SongsStarted() const { return songsStarted_; }

 private:
  enum class TPlayOutcome { kMissing, kFailed, kPlaying };

  void ShowSong(int index, const TTagRecord& tag);
  void ShowProperties();
  void ShowLyrics(const std::string& path);
  void FollowEndedSong();
  int RandomUnplayedIndex();
  bool Played(const std::string& path) const;
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
  TPlayOutcome lastPlay_ = TPlayOutcome::kMissing;
  bool passEnded_ = false;   // actNext found every item played, without repeat
  QElapsedTimer songClock_;  // since the song that plays started
  std::int64_t songLength_ = 0;
  int emptyEnds_ = 0;        // songs in a row that ended as soon as they began
  int songsStarted_ = 0;
};

}  // namespace orvana::app
