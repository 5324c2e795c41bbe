#pragma once
// The seven functions a click on the tray icon can run, numbered as the
// settings store them, with the texts the settings dialog lists them by.
#include <functional>

#include "app/actions/action_list.h"
#include "player/mp3_player.h"

namespace orvana::app {

enum TClickFunction : int {
  cfPlayStop,
  cfNextSong,
  cfPreviousSong,
  cfShowPlaylist,
  cfSettings,
  cfAbout,
  cfExit,
};
constexpr int kClickFunctionCount = 7;

// Their names in the settings dialog (context "Config").
extern const char* const kClickFunctionTexts[kClickFunctionCount];

// Runs function `number` through the actions (a disabled action does
// nothing); any other number does nothing. ShowPlaylist shows the window
// or brings it to the front, which only the window can do.
void RunClickFunction(int number, TActionList& actions, player::TMP3Status status,
                      const std::function<void()>& showPlaylist);

}  // namespace orvana::app
