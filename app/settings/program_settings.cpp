#include "app/settings/program_settings.h"

#include <algorithm>

#include "app/settings/files_location.h"
#include "app/settings/sound_shaping_keys.h"

namespace orvana::app {
namespace {

constexpr const char* kFontPrefix = "Font";
constexpr const char* kLanguageKey = "Language";
constexpr const char* kClickFunctionKeys[kClickFunctionSlots] = {
    "TrayIcon.Left.Single",  "TrayIcon.Left.Double",  "TrayIcon.Left.Triple",
    "TrayIcon.Right.Single", "TrayIcon.Right.Double", "TrayIcon.Right.Triple",
};

constexpr int kLargestWindowSize = 100000;
constexpr int kLargestFontSize = 100;
constexpr int kLargestColumnWidth = 10000;
constexpr int kLongestClickWait = 10000;
constexpr int kFullVolume = 100;

std::string ColumnWidthKey(int column) { return "Columns[" + std::to_string(column) + "].Width"; }

// The stored value when it lies in low..high, else the default.
int ReadInRange(const TIniGT& ini, const char* key, int defaultValue, int low, int high) {
  const int value = ini.ReadInteger(kSettingsSection, key, defaultValue);
  return value >= low && value <= high ? value : defaultValue;
}

void ReadListFont(const TIniGT& ini, TStoredFont& font) {
  const TStoredFont design = font;
  ini.ReadFont(kSettingsSection, kFontPrefix, font);
  if (font.name.empty()) font.name = design.name;
  if (font.size < 1 || font.size > kLargestFontSize) font.size = design.size;
}

}  // namespace

TStoredFont ListDesignFont() { return TStoredFont{"MS UI Gothic", 9, clWindowText, 0}; }

TProgramSettings ReadProgramSettings(const TIniGT& ini) {
  const char* section = kSettingsSection;
  TProgramSettings s;
  s.formLeft = ini.ReadInteger(section, "Form.Left", s.formLeft);
  s.formTop = ini.ReadInteger(section, "Form.Top", s.formTop);
  s.formClientWidth = ReadInRange(ini, "Form.ClientWidth", s.formClientWidth, 1, kLargestWindowSize);
  s.formClientHeight = ReadInRange(ini, "Form.ClientHeight", s.formClientHeight, 1, kLargestWindowSize);
  s.formVisible = ini.ReadBool(section, "Form.Visible", s.formVisible);
  ReadListFont(ini, s.font);
  s.priority = ReadInRange(ini, "Priority", s.priority, kLowestPriority, kHighestPriority);
  s.repeat = ini.ReadBool(section, "Repeat", s.repeat);
  s.shuffle = ini.ReadBool(section, "Shuffle", s.shuffle);
  s.currentIndex = std::max(ini.ReadInteger(section, "Index", s.currentIndex), 0);
  s.subFolder = ini.ReadBool(section, "SubFolder", s.subFolder);
  s.checkTag = ini.ReadBool(section, "CheckTag", s.checkTag);
  // Stored in 8 bits, as the window keeps them.
  s.wakeupHour = static_cast<std::uint8_t>(ini.ReadInteger(section, "WakeupHour", s.wakeupHour) & 0xFF);
  s.wakeupMin = static_cast<std::uint8_t>(ini.ReadInteger(section, "WakeupMin", s.wakeupMin) & 0xFF);
  s.exitWhenSleep = ini.ReadBool(section, "ExitWhenSleep", s.exitWhenSleep);
  s.totalSeconds = std::max(ini.ReadInteger(section, "TotalTime", s.totalSeconds), 0);
  for (int column = 0; column < kColumnCount; ++column) {
    int& width = s.columnWidths[static_cast<std::size_t>(column)];
    width = ReadInRange(ini, ColumnWidthKey(column).c_str(), width, 0, kLargestColumnWidth);
  }
  for (int slot = 0; slot < kClickFunctionSlots; ++slot) {
    std::uint8_t& function = s.clickFunctions[static_cast<std::size_t>(slot)];
    function = static_cast<std::uint8_t>(ReadInRange(ini, kClickFunctionKeys[slot], function, 0, kLastClickFunction));
  }
  s.clickWait = ReadInRange(ini, "TrayIcon.ClickWait", s.clickWait, 1, kLongestClickWait);
  s.volume = ReadInRange(ini, "Volume", s.volume, 0, kFullVolume);
  s.sound = ReadSoundShaping(ini);
  s.language = LanguageChoiceFromSetting(ini.ReadString(section, kLanguageKey, ""));
  s.first = ini.ReadBool(section, "First", s.first);
  return s;
}

void WriteProgramSettings(TIniGT& ini, const TProgramSettings& s) {
  const char* section = kSettingsSection;
  ini.WriteInteger(section, "Form.Left", s.formLeft);
  ini.WriteInteger(section, "Form.Top", s.formTop);
  ini.WriteInteger(section, "Form.ClientWidth", s.formClientWidth);
  ini.WriteInteger(section, "Form.ClientHeight", s.formClientHeight);
  ini.WriteBool(section, "Form.Visible", s.formVisible);
  ini.WriteFont(section, kFontPrefix, s.font);
  ini.WriteInteger(section, "Priority", s.priority);
  ini.WriteBool(section, "Repeat", s.repeat);
  ini.WriteBool(section, "Shuffle", s.shuffle);
  ini.WriteInteger(section, "Index", s.currentIndex);
  ini.WriteBool(section, "SubFolder", s.subFolder);
  ini.WriteBool(section, "CheckTag", s.checkTag);
  ini.WriteInteger(section, "WakeupHour", s.wakeupHour);
  ini.WriteInteger(section, "WakeupMin", s.wakeupMin);
  ini.WriteBool(section, "ExitWhenSleep", s.exitWhenSleep);
  ini.WriteInteger(section, "TotalTime", s.totalSeconds);
  for (int column = 0; column < kColumnCount; ++column)
    ini.WriteInteger(section, ColumnWidthKey(column), s.columnWidths[static_cast<std::size_t>(column)]);
  for (int slot = 0; slot < kClickFunctionSlots; ++slot)
    ini.WriteInteger(section, kClickFunctionKeys[slot], s.clickFunctions[static_cast<std::size_t>(slot)]);
  ini.WriteInteger(section, "TrayIcon.ClickWait", s.clickWait);
  ini.WriteInteger(section, "Volume", s.volume);
  WriteSoundShaping(ini, s.sound);
  ini.WriteString(section, kLanguageKey, LanguageChoiceSetting(s.language));
}

void WriteFirstRunSetting(const std::string& settingsPath, bool showAgain) {
  TIniGT ini;
  ini.SetFileName(settingsPath);
  ini.WriteBool(kSettingsSection, "First", showAgain);
  ini.UpdateFile();
}

void WriteFirstRunSetting(bool showAgain) { WriteFirstRunSetting(SettingsFilePath(), showAgain); }

TLanguageChoice ReadLanguageSetting(const std::string& settingsPath) {
  TIniGT ini;
  ini.SetFileName(settingsPath);
  return LanguageChoiceFromSetting(ini.ReadString(kSettingsSection, kLanguageKey, ""));
}

}  // namespace orvana::app
