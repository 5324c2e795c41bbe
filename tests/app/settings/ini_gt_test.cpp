#include "app/settings/ini_gt.h"

#include <gtest/gtest.h>

#include "app/files/atomic_file.h"
#include "app/settings/files_location.h"
#include "settings_test_files.h"

namespace orvana::app {
namespace {

using testing::Exists;
using testing::ReadBytes;
using testing::TCurrentFolder;
using testing::TTempFolder;
using testing::WriteBytes;

class IniGT : public ::testing::Test {
 protected:
  TIniGTFolders Folders() const { return {root_ / "program/", root_ / "config/orvana/", "Orvana.BIN"}; }
  std::string Application(const std::string& name) const { return root_ / ("program/" + name); }
  std::string Windows(const std::string& name) const { return root_ / ("config/orvana/" + name); }
  std::string Elsewhere(const std::string& name) const { return root_ / ("elsewhere/" + name); }

  void SetUp() override {
    std::filesystem::create_directories(root_ / "program");
    std::filesystem::create_directories(root_ / "elsewhere");
  }

  TTempFolder root_;
};

TEST_F(IniGT, StartsWithoutAFile) {
  TIniGT ini(Folders());
  EXPECT_EQ(ini.DefaultDir(), TIniGTDefaultDir::ddApplication);
  EXPECT_EQ(ini.FileName(), "");
  EXPECT_EQ(ini.FullFileName(), "");
  EXPECT_EQ(ini.ReadInteger("ini", "x", 4), 4);
  ini.WriteInteger("ini", "x", 1);
  EXPECT_THROW(ini.UpdateFile(), TFileWriteError);
}

TEST_F(IniGT, ABareNameWithDdApplicationIsInTheProgramsFolder) {
  TIniGT ini(Folders());
  ini.SetFileName("app.ini");
  EXPECT_EQ(ini.FileName(), "app.ini");
  EXPECT_EQ(ini.FullFileName(), Application("app.ini"));
  ini.WriteInteger("ini", "x", 1);
  ini.UpdateFile();
  EXPECT_EQ(ReadBytes(Application("app.ini")), "[ini]\r\nx=1\r\n");
}

TEST_F(IniGT, ABareNameWithDdNoneIsInTheCurrentFolder) {
  TCurrentFolder here(root_ / "elsewhere");
  TIniGT ini(Folders());
  ini.SetDefaultDir(TIniGTDefaultDir::ddNone);
  ini.SetFileName("app.ini");
  EXPECT_EQ(ini.FullFileName(), "app.ini");
  ini.WriteInteger("ini", "x", 1);
  ini.UpdateFile();
  EXPECT_TRUE(Exists(Elsewhere("app.ini")));
  EXPECT_FALSE(Exists(Application("app.ini")));
}

TEST_F(IniGT, ABareNameWithDdWindowsIsInTheConfigurationFolder) {
  TIniGT ini(Folders());
  ini.SetDefaultDir(TIniGTDefaultDir::ddWindows);
  ini.SetFileName("app.ini");
  EXPECT_EQ(ini.FullFileName(), Windows("app.ini"));
  ini.WriteInteger("ini", "x", 1);
  ini.UpdateFile();  // makes the folder
  EXPECT_TRUE(Exists(Windows("app.ini")));
}

TEST_F(IniGT, ANameWithAFolderIsUsedAsItIs) {
  for (const auto dir : {TIniGTDefaultDir::ddApplication, TIniGTDefaultDir::ddWindows, TIniGTDefaultDir::ddNone}) {
    TIniGT ini(Folders());
    ini.SetDefaultDir(dir);
    ini.SetFileName(Elsewhere("app.ini"));
    EXPECT_EQ(ini.FullFileName(), Elsewhere("app.ini"));
  }
  TCurrentFolder here(root_.Path());
  TIniGT ini(Folders());
  ini.SetFileName("elsewhere/app.ini");
  EXPECT_EQ(ini.FullFileName(), "elsewhere/app.ini");
}

TEST_F(IniGT, ChangingDefaultDirRereadsTheFile) {
  WriteBytes(Application("app.ini"), "[ini]\nwhere=1\n");
  std::filesystem::create_directories(root_ / "config/orvana");
  WriteBytes(Windows("app.ini"), "[ini]\nwhere=2\n");
  TIniGT ini(Folders());
  ini.SetFileName("app.ini");
  EXPECT_EQ(ini.ReadInteger("ini", "where", 0), 1);
  ini.SetDefaultDir(TIniGTDefaultDir::ddWindows);
  EXPECT_EQ(ini.FileName(), "app.ini");
  EXPECT_EQ(ini.ReadInteger("ini", "where", 0), 2);
}

TEST_F(IniGT, SettingTheFileNameDropsUnsavedChanges) {
  WriteBytes(Application("app.ini"), "[ini]\nx=1\n");
  TIniGT ini(Folders());
  ini.SetFileName("app.ini");
  ini.WriteInteger("ini", "x", 2);
  ini.SetFileName("app.ini");
  EXPECT_EQ(ini.ReadInteger("ini", "x", 0), 1);
  ini.SetFileName("");
  EXPECT_EQ(ini.FullFileName(), "");
  EXPECT_EQ(ini.ReadInteger("ini", "x", 0), 0);
}

TEST_F(IniGT, LoadedNamesAnUnnamedFileAfterTheExecutable) {
  TIniGT ini(Folders());
  ini.Loaded();
  EXPECT_EQ(ini.FileName(), "orvana.ini");
  EXPECT_EQ(ini.FullFileName(), Application("orvana.ini"));
  TIniGT named(Folders());
  named.SetFileName("mine.ini");
  named.Loaded();
  EXPECT_EQ(named.FileName(), "mine.ini");
}

TEST_F(IniGT, TheRunningProgramsFoldersAreTheFilesLocation) {
  const TIniGTFolders folders = CurrentIniGTFolders();
  EXPECT_EQ(folders.application, ProgramFilesFolder());
  EXPECT_EQ(folders.windows, ConfigurationFolder());
  TIniGT ini;
  ini.Loaded();
  EXPECT_EQ(ini.FullFileName(), SettingsFilePath());
}

TEST_F(IniGT, ReadingAnAbsentKeyGivesTheDefaultAndCreatesNothing) {
  TIniGT ini(Folders());
  ini.SetFileName("app.ini");
  EXPECT_FALSE(ini.ReadBool("ini", "b", false));
  EXPECT_TRUE(ini.ReadBool("ini", "b", true));
  EXPECT_EQ(ini.ReadInteger("ini", "i", -9), -9);
  EXPECT_EQ(ini.ReadString("ini", "s", "dflt"), "dflt");
  TStoredFont font{"Sans", 11, 0x123456, fsBold};
  ini.ReadFont("ini", "Font", font);
  EXPECT_EQ(font, (TStoredFont{"Sans", 11, 0x123456, fsBold}));
  EXPECT_FALSE(Exists(Application("app.ini")));
  EXPECT_TRUE(ini.Store().Sections().empty());
  ini.UpdateFile();
  EXPECT_EQ(ReadBytes(Application("app.ini")), "");
}

TEST_F(IniGT, ValuesRoundTripThroughTheFile) {
  {
    TIniGT ini(Folders());
    ini.SetFileName("app.ini");
    ini.WriteBool("ini", "On", true);
    ini.WriteBool("ini", "Off", false);
    ini.WriteInteger("ini", "Int", -123);
    ini.WriteString("ini", "Text", "夜の歌 = song");
    ini.UpdateFile();
  }
  TIniGT ini(Folders());
  ini.SetFileName("app.ini");
  EXPECT_TRUE(ini.ReadBool("ini", "on", false));
  EXPECT_FALSE(ini.ReadBool("ini", "off", true));
  EXPECT_EQ(ini.ReadInteger("ini", "int", 0), -123);
  EXPECT_EQ(ini.ReadString("ini", "text", ""), "夜の歌 = song");
  EXPECT_EQ(ReadBytes(Application("app.ini")), "[ini]\r\nOn=1\r\nOff=0\r\nInt=-123\r\nText=夜の歌 = song\r\n");
}

TEST_F(IniGT, TheWindowTextColourIsStoredNegativeAndReadBackTheSame) {
  const TStoredFont written{"MS UI Gothic", 9, clWindowText, fsBold | fsItalic | fsUnderline | fsStrikeOut};
  {
    TIniGT ini(Folders());
    ini.SetFileName("app.ini");
    ini.WriteFont("ini", "Font", written);
    ini.UpdateFile();
  }
  EXPECT_EQ(ReadBytes(Application("app.ini")),
            "[ini]\r\nFont.Name=MS UI Gothic\r\nFont.Size=9\r\nFont.Color=-2147483640\r\nFont.Style=15\r\n");
  TIniGT ini(Folders());
  ini.SetFileName("app.ini");
  TStoredFont read{"other", 20, 0, 0};
  ini.ReadFont("ini", "Font", read);
  EXPECT_EQ(read, written);
  EXPECT_EQ(read.color, -2147483640);
}

TEST_F(IniGT, ReadFontTakesMissingPartsFromTheFontAndDropsUnknownStyleBits) {
  WriteBytes(Application("app.ini"), "[ini]\nList.Size=14\nList.Style=0x12\nList.Color=junk\n");
  TIniGT ini(Folders());
  ini.SetFileName("app.ini");
  TStoredFont font{"Sans", 9, 0x0000FF, fsBold};
  ini.ReadFont("INI", "list", font);
  EXPECT_EQ(font, (TStoredFont{"Sans", 14, 0x0000FF, fsItalic}));
}

TEST_F(IniGT, DestroyingWithoutUpdateFileLeavesTheFileUnchanged) {
  const std::string old = "[ini]\nx=1\n";
  WriteBytes(Application("app.ini"), old);
  {
    TIniGT ini(Folders());
    ini.SetFileName("app.ini");
    ini.WriteInteger("ini", "x", 2);
    ini.WriteString("other", "y", "new");
    ini.WriteFont("ini", "Font", TStoredFont{"Sans", 9, 0, 0});
  }
  EXPECT_EQ(ReadBytes(Application("app.ini")), old);
  TIniGT fresh(Folders());
  fresh.SetFileName("new.ini");
  fresh.WriteInteger("ini", "x", 2);
  fresh.SetFileName("other.ini");
  EXPECT_FALSE(Exists(Application("new.ini")));
}

}  // namespace
}  // namespace orvana::app
