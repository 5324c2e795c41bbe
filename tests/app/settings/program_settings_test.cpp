#include "app/settings/program_settings.h"

#include <gtest/gtest.h>

#include "app/files/atomic_file.h"
#include "settings_test_files.h"

namespace orvana::app {
namespace {

using testing::Exists;
using testing::ReadBytes;
using testing::TTempFolder;
using testing::WriteBytes;

// The file a first exit writes, keys in the exit order.
const std::string kFreshSettingsFile =
    "[ini]\r\n"
    "Form.Left=32\r\n"
    "Form.Top=32\r\n"
    "Form.ClientWidth=560\r\n"
    "Form.ClientHeight=320\r\n"
    "Form.Visible=1\r\n"
    "Font.Name=MS UI Gothic\r\n"
    "Font.Size=9\r\n"
    "Font.Color=-2147483640\r\n"
    "Font.Style=0\r\n"
    "Priority=3\r\n"
    "Repeat=0\r\n"
    "Shuffle=0\r\n"
    "Index=0\r\n"
    "SubFolder=1\r\n"
    "CheckTag=0\r\n"
    "WakeupHour=0\r\n"
    "WakeupMin=0\r\n"
    "ExitWhenSleep=0\r\n"
    "TotalTime=0\r\n"
    "Columns[0].Width=64\r\n"
    "Columns[1].Width=64\r\n"
    "Columns[2].Width=64\r\n"
    "Columns[3].Width=64\r\n"
    "Columns[4].Width=64\r\n"
    "Columns[5].Width=64\r\n"
    "Columns[6].Width=64\r\n"
    "Columns[7].Width=64\r\n"
    "Columns[8].Width=64\r\n"
    "TrayIcon.Left.Single=0\r\n"
    "TrayIcon.Left.Double=1\r\n"
    "TrayIcon.Left.Triple=2\r\n"
    "TrayIcon.Right.Single=3\r\n"
    "TrayIcon.Right.Double=5\r\n"
    "TrayIcon.Right.Triple=6\r\n"
    "TrayIcon.ClickWait=1000\r\n"
    "Volume=100\r\n"
    "Equalizer.Enabled=0\r\n"
    "Equalizer.Preamp=0\r\n"
    "Equalizer.Band0=0\r\n"
    "Equalizer.Band1=0\r\n"
    "Equalizer.Band2=0\r\n"
    "Equalizer.Band3=0\r\n"
    "Equalizer.Band4=0\r\n"
    "Equalizer.Band5=0\r\n"
    "Equalizer.Band6=0\r\n"
    "Equalizer.Band7=0\r\n"
    "Equalizer.Band8=0\r\n"
    "Equalizer.Band9=0\r\n"
    "Equalizer.Presets=0\r\n"
    "ReplayGain.Mode=0\r\n"
    "ReplayGain.Preamp=0\r\n"
    "ReplayGain.DefaultGain=0\r\n"
    "ReplayGain.PreventClipping=1\r\n"
    "Language=auto\r\n";

class ProgramSettings : public ::testing::Test {
 protected:
  std::string Path() const { return folder_ / "orvana.ini"; }

  TProgramSettings ReadText(const std::string& text) {
    WriteBytes(Path(), text);
    return Read();
  }
  TProgramSettings Read() {
    TIniGT ini;
    ini.SetFileName(Path());
    return ReadProgramSettings(ini);
  }
  void Write(const TProgramSettings& settings) {
    TIniGT ini;
    ini.SetFileName(Path());
    WriteProgramSettings(ini, settings);
    ini.UpdateFile();
  }

  TTempFolder folder_;
};

TEST_F(ProgramSettings, AMissingFileGivesEveryDefaultOfTheTable) {
  const TProgramSettings s = Read();
  EXPECT_EQ(s.formLeft, 32);
  EXPECT_EQ(s.formTop, 32);
  EXPECT_EQ(s.formClientWidth, 560);
  EXPECT_EQ(s.formClientHeight, 320);
  EXPECT_TRUE(s.formVisible);
  EXPECT_EQ(s.font.name, "MS UI Gothic");
  EXPECT_EQ(s.font.size, 9);
  EXPECT_EQ(s.font.color, clWindowText);
  EXPECT_EQ(s.font.style, 0);
  EXPECT_EQ(s.priority, 3);
  EXPECT_FALSE(s.repeat);
  EXPECT_FALSE(s.shuffle);
  EXPECT_EQ(s.currentIndex, 0);
  EXPECT_TRUE(s.subFolder);
  EXPECT_FALSE(s.checkTag);
  EXPECT_EQ(s.wakeupHour, 0);
  EXPECT_EQ(s.wakeupMin, 0);
  EXPECT_FALSE(s.exitWhenSleep);
  EXPECT_EQ(s.totalSeconds, 0);
  for (const int width : s.columnWidths) EXPECT_EQ(width, 64);
  EXPECT_EQ(s.columnWidths.size(), 9u);
  EXPECT_EQ(s.clickFunctions, (std::array<std::uint8_t, 6>{0, 1, 2, 3, 5, 6}));
  EXPECT_EQ(s.clickWait, 1000);
  EXPECT_EQ(s.volume, 100);
  EXPECT_TRUE(s.first);
  EXPECT_EQ(s, TProgramSettings{});
  EXPECT_FALSE(Exists(Path()));  // reading writes nothing
}

TEST_F(ProgramSettings, AFreshFileListsTheKeysInTheExitOrder) {
  Write(TProgramSettings{});
  EXPECT_EQ(ReadBytes(Path()), kFreshSettingsFile);
}

TEST_F(ProgramSettings, EveryValueRoundTrips) {
  TProgramSettings s;
  s.formLeft = -1200;
  s.formTop = 5;
  s.formClientWidth = 800;
  s.formClientHeight = 600;
  s.formVisible = false;
  s.font = TStoredFont{"Noto Sans CJK JP", 11, 0x00FF8000, fsBold | fsUnderline};
  s.priority = 6;
  s.repeat = true;
  s.shuffle = true;
  s.currentIndex = 17;
  s.subFolder = false;
  s.checkTag = true;
  s.wakeupHour = 7;
  s.wakeupMin = 45;
  s.exitWhenSleep = true;
  s.totalSeconds = 123456;
  s.columnWidths = {100, 0, 80, 30, 40, 50, 60, 70, 300};
  s.clickFunctions = {6, 5, 4, 3, 2, 1};
  s.clickWait = 250;
  s.volume = 0;
  s.language = TLanguageChoice::English;
  s.first = true;  // not written at exit; the default reads back
  Write(s);
  EXPECT_EQ(Read(), s);
  EXPECT_EQ(ReadBytes(Path()).find("First"), std::string::npos);
}

TEST_F(ProgramSettings, AnOldFileKeepsItsOrderAndGainsMissingKeysAtTheEnd) {
  WriteBytes(Path(), "[ini]\r\nFirst=0\r\nTotalTime=5\r\n");
  Write(TProgramSettings{});
  const std::string text = ReadBytes(Path());
  EXPECT_EQ(text.rfind("[ini]\r\nFirst=0\r\nTotalTime=0\r\nForm.Left=32\r\n", 0), 0u) << text;
  EXPECT_FALSE(Read().first);
}

TEST_F(ProgramSettings, KeysAreFoundIgnoringCaseInAnLfFile) {
  const TProgramSettings s = ReadText("[INI]\nform.left=10\nFORM.TOP=0x14\nfont.name=Sans\nrepeat=1\ncolumns[3].width=99\n");
  EXPECT_EQ(s.formLeft, 10);
  EXPECT_EQ(s.formTop, 20);
  EXPECT_EQ(s.font.name, "Sans");
  EXPECT_TRUE(s.repeat);
  EXPECT_EQ(s.columnWidths[3], 99);
}

TEST_F(ProgramSettings, ValuesThatAreNotNumbersReadAsDefaults) {
  const TProgramSettings s = ReadText(
      "[ini]\r\nForm.Left=left\r\nRepeat=yes\r\nSubFolder=\r\nIndex=3x\r\nFirst=no\r\nVolume=loud\r\nTotalTime=60\r\n");
  EXPECT_EQ(s.formLeft, 32);
  EXPECT_EQ(s.volume, 100);
  EXPECT_EQ(s.totalSeconds, 60);  // the keys beside it are kept
  EXPECT_FALSE(s.repeat);
  EXPECT_TRUE(s.subFolder);
  EXPECT_EQ(s.currentIndex, 0);
  EXPECT_TRUE(s.first);
}

TEST_F(ProgramSettings, ACp932FontNameReadsAsUtf8) {
  // "ＭＳ Ｐゴシック" as a file written on Windows stores it.
  const TProgramSettings s = ReadText("[ini]\r\nFont.Name=\x82\x6C\x82\x72 \x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E\r\n");
  EXPECT_EQ(s.font.name, "ＭＳ Ｐゴシック");
}

TEST_F(ProgramSettings, HarmfulValuesAreReplacedWhereTheyAreRead) {
  const TProgramSettings s = ReadText(
      "[ini]\r\n"
      "Form.ClientWidth=0\r\n"
      "Form.ClientHeight=100001\r\n"
      "Font.Name=\r\n"
      "Font.Size=-12\r\n"
      "Font.Style=255\r\n"
      "Priority=7\r\n"
      "Index=-4\r\n"
      "WakeupHour=300\r\n"
      "WakeupMin=-1\r\n"
      "TotalTime=-60\r\n"
      "Columns[0].Width=-1\r\n"
      "Columns[1].Width=10001\r\n"
      "Columns[2].Width=0\r\n"
      "TrayIcon.Left.Single=7\r\n"
      "TrayIcon.Left.Double=-1\r\n"
      "TrayIcon.Right.Triple=256\r\n"
      "TrayIcon.ClickWait=0\r\n"
      "Volume=101\r\n");
  EXPECT_EQ(s.formClientWidth, 560);
  EXPECT_EQ(s.formClientHeight, 320);
  EXPECT_EQ(s.font.name, "MS UI Gothic");
  EXPECT_EQ(s.font.size, 9);
  EXPECT_EQ(s.font.style, kFontStyleMask);
  EXPECT_EQ(s.priority, 3);
  EXPECT_EQ(s.currentIndex, 0);
  EXPECT_EQ(s.wakeupHour, 300 & 0xFF);
  EXPECT_EQ(s.wakeupMin, 255);
  EXPECT_EQ(s.totalSeconds, 0);
  EXPECT_EQ(s.columnWidths[0], 64);
  EXPECT_EQ(s.columnWidths[1], 64);
  EXPECT_EQ(s.columnWidths[2], 0);
  EXPECT_EQ(s.clickFunctions[0], 0);
  EXPECT_EQ(s.clickFunctions[1], 1);
  EXPECT_EQ(s.clickFunctions[5], 6);
  EXPECT_EQ(s.clickWait, 1000);
  EXPECT_EQ(s.volume, 100);
  EXPECT_EQ(ReadText("[ini]\nTrayIcon.ClickWait=10001\nFont.Size=101\n").clickWait, 1000);
  EXPECT_EQ(ReadText("[ini]\nVolume=-1\n").volume, 100);
}

TEST_F(ProgramSettings, TheEdgesOfTheSaneRangesAreKept) {
  const TProgramSettings s = ReadText(
      "[ini]\nForm.ClientWidth=1\nForm.ClientHeight=100000\nFont.Size=100\nPriority=0\n"
      "Columns[8].Width=10000\nTrayIcon.Right.Single=6\nTrayIcon.ClickWait=10000\nVolume=0\n");
  EXPECT_EQ(s.formClientWidth, 1);
  EXPECT_EQ(s.formClientHeight, 100000);
  EXPECT_EQ(s.font.size, 100);
  EXPECT_EQ(s.priority, 0);
  EXPECT_EQ(s.columnWidths[8], 10000);
  EXPECT_EQ(s.clickFunctions[3], 6);
  EXPECT_EQ(s.clickWait, 10000);
  EXPECT_EQ(s.volume, 0);
  EXPECT_EQ(ReadText("[ini]\nTrayIcon.ClickWait=1\nPriority=6\n").clickWait, 1);
  EXPECT_EQ(ReadText("[ini]\nVolume=100\n").volume, 100);
}

TEST_F(ProgramSettings, TheFirstRunChoiceIsWrittenAlone) {
  WriteFirstRunSetting(Path(), false);
  EXPECT_EQ(ReadBytes(Path()), "[ini]\r\nFirst=0\r\n");
  EXPECT_FALSE(Read().first);
  WriteFirstRunSetting(Path(), true);
  EXPECT_TRUE(Read().first);
}

TEST_F(ProgramSettings, TheFirstRunChoiceKeepsTheOtherSettings) {
  Write(TProgramSettings{});
  WriteFirstRunSetting(Path(), false);
  EXPECT_EQ(ReadBytes(Path()), kFreshSettingsFile + "First=0\r\n");
}

TEST_F(ProgramSettings, AnUnwritableSettingsFileThrows) {
  WriteBytes(folder_ / "plain", "x");
  EXPECT_THROW(WriteFirstRunSetting(folder_ / "plain/orvana.ini", false), TFileWriteError);
}

}  // namespace
}  // namespace orvana::app
