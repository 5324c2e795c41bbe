#pragma once
// Which song follows: the rules of the list's order, shuffle and repeat over
// plain data, so that the window can pick the next song while one still
// plays (and queue it to follow without a gap), exactly as it would pick it
// when the song ends.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/playlist/playlist.h"
#include "app/playlist/random_generator.h"

namespace orvana::app {

// Where a pass through the list stands: the current item and the files
// started in this pass.
struct TPassState {
  int currentIndex = 0;
  std::vector<std::string> played;
};

struct TFollowingSong {
  int index = -1;
  std::string path;
  TPassState pass;  // the pass once it has started, the song not yet counted as played
};

struct TPlayModes {
  bool repeat = false;
  bool shuffle = false;
};

// What Play can start: a file on the disk (a regular one), or a station,
// which is taken as there until it is tried.
bool SongIsAvailable(const std::string& path);

// Whether `path` was started in this pass (exactly: a.mp3 and A.mp3 are two songs).
bool PlayedInPass(const TPassState& pass, std::string_view path);

// A pass in which every song has been played starts again, empty: false
// when it is over instead (without repeat).
bool RenewFullPass(TPassState& pass, const TPlaylist& playlist, TPlayModes modes);

// Steps `pass` on by one song as the Next command does: false when the pass
// is over (every song played, without repeat), the pass then emptied.
bool StepForward(TPassState& pass, const TPlaylist& playlist, TPlayModes modes, TRandom& random);

// An item not played in the pass, drawn at random; the current one when
// every item has been played.
int RandomUnplayedIndex(const TPassState& pass, const TPlaylist& playlist, TRandom& random);

// The song that follows when the current one ends: the list's next song by
// the modes, passing over files gone from the disk (at most one round of
// the list); none at the end of the list without repeat or when the pass is
// over. With shuffle, `preferred` (a song drawn before) stands while it may
// still come next, instead of a new draw.
std::optional<TFollowingSong> SongAfterCurrent(const TPlaylist& playlist, TPassState pass, TPlayModes modes,
                                               TRandom& random,
                                               const std::function<bool(const std::string&)>& exists,
                                               const std::string& preferred = {});

}  // namespace orvana::app
