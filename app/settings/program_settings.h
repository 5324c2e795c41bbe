#pragma once
// The program's settings: every key of the settings file (section "ini"),
// with its default, read once at start-up and written once at exit.
//
// The file is opened as
//     TIniGT ini;
//     ini.SetFileName(SettingsFilePath());   // files_location.h
// ReadProgramSettings reads the keys in the start-up order and writes
// nothing; WriteProgramSettings writes them in the exit order (without
// "First"), so a new file lists them in that order. The caller then calls
// ini.UpdateFile().
//
// Values that would harm the program are replaced where they are read:
// - window sizes ("Form.ClientWidth", "Form.ClientHeight") below 1 or above
//   100000: their defaults;
// - the font: a name that is empty, or a size outside 1..100 (the settings
//   dialog's range): the design font's name or size;
// - "Priority" outside 0..6: 3 (normal);
// - "Index" below 0: 0 (one beyond the list is reset once the list is
//   loaded);
// - "WakeupHour", "WakeupMin": the low 8 bits of what is stored;
// - "TotalTime" below 0: 0;
// - column widths outside 0..10000: 64;
// - tray click functions outside 0..6: their defaults;
// - "TrayIcon.ClickWait" below 1 or above 10000: 1000;
// - "Volume" outside 0..100: 100;
// - "Language" other than "auto", "ja" or "en": automatic.
// The equalizer's and ReplayGain's keys: sound_shaping_keys.h.
#include <array>
#include <cstdint>
#include <string>

#include "app/equalizer/sound_shaping_settings.h"
#include "app/language/interface_language.h"
#include "app/playlist/playlist_item.h"
#include "app/settings/stored_font.h"
#include "app/settings/ini_gt.h"

namespace orvana::app {

constexpr const char* kSettingsSection = "ini";

// ClickFunctions slots: left single, double, triple; right single, double,
// triple. Function numbers run from 0 (PlayStop) to 6 (Exit).
constexpr int kClickFunctionSlots = 6;
constexpr int kLastClickFunction = 6;

// Decoding thread priorities 0..6 (idle .. time-critical); 3 is normal.
constexpr int kLowestPriority = 0;
constexpr int kHighestPriority = 6;

// The list's design font: "MS UI Gothic", 12 pixels at 96 dpi (9 points),
// the window text colour, no style.
TStoredFont ListDesignFont();

struct TProgramSettings {
  int formLeft = 32;
  int formTop = 32;
  int formClientWidth = 560;
  int formClientHeight = 320;
  bool formVisible = true;
  TStoredFont font = ListDesignFont();
  int priority = 3;
  bool repeat = false;
  bool shuffle = false;
  int currentIndex = 0;
  bool subFolder = true;
  bool checkTag = false;
  std::uint8_t wakeupHour = 0;
  std::uint8_t wakeupMin = 0;
  bool exitWhenSleep = false;
  int totalSeconds = 0;
  std::array<int, kColumnCount> columnWidths = {64, 64, 64, 64, 64, 64, 64, 64, 64};
  std::array<std::uint8_t, kClickFunctionSlots> clickFunctions = {0, 1, 2, 3, 5, 6};
  int clickWait = 1000;  // milliseconds
  int volume = 100;      // 0 (silent) .. 100 (full)
  TLanguageChoice language = TLanguageChoice::Automatic;
  TSoundShapingSettings sound;
  bool first = true;     // show the first-run dialog

  bool operator==(const TProgramSettings&) const = default;
};

// Every key in the start-up order; a missing key gives its default.
TProgramSettings ReadProgramSettings(const TIniGT& ini);

// Every key but "First", in the exit order, into the store only.
void WriteProgramSettings(TIniGT& ini, const TProgramSettings& settings);

// After the first-run dialog: opens the settings file, writes "First"
// (true: show the dialog again next time) and writes the file. Throws
// TFileWriteError when the file cannot be written.
void WriteFirstRunSetting(const std::string& settingsPath, bool showAgain);
void WriteFirstRunSetting(bool showAgain);  // at SettingsFilePath()

// "Language" alone, read before any window is built.
TLanguageChoice ReadLanguageSetting(const std::string& settingsPath);

}  // namespace orvana::app
