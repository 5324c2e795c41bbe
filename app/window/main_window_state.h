#pragma once
// What the main window keeps besides its widgets: plain data the commands
// read and change.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/playlist/tag_record.h"
#include "app/settings/stored_font.h"
#include "app/settings/program_settings.h"

namespace orvana::app {

struct TMainWindowState {
  int currentIndex = 0;                 // the current playlist item
  std::vector<std::string> playedList;  // files started since the last stop
  bool subFolder = true;                // adding a folder searches its subfolders
  bool checkTag = false;                // adding files reads their ID3v1 tags
  std::array<std::uint8_t, kClickFunctionSlots> clickFunctions = {0, 1, 2, 3, 5, 6};
  std::uint8_t wakeupHour = 0;
  std::uint8_t wakeupMin = 0;
  int sleepMinutesLeft = 0;
  bool exitWhenSleep = false;
  int totalSeconds = 0;  // known durations of the playlist's items
  TTagRecord tag;        // of the file last started
  TStoredFont listFont;
  TLanguageChoice language = TLanguageChoice::Automatic;  // kept for the next start
};

}  // namespace orvana::app
