// Which language the interface speaks: the environment as gettext reads it,
// and the settings' choice over it.
#include "app/language/interface_language.h"

#include <gtest/gtest.h>

#include <map>

#include "app/settings/program_settings.h"
#include "settings_test_files.h"

namespace orvana::app {
namespace {

using Variables = std::map<std::string, std::string>;
constexpr auto kJapanese = TInterfaceLanguage::Japanese;
constexpr auto kEnglish = TInterfaceLanguage::English;

TInterfaceLanguage Of(const Variables& variables, TLanguageChoice choice = TLanguageChoice::Automatic) {
  return InterfaceLanguage(choice, [&](const char* name) {
    const auto found = variables.find(name);
    return found == variables.end() ? std::string() : found->second;
  });
}

TEST(InterfaceLanguage, AJapaneseLocaleInAnyVariableMeansJapanese) {
  EXPECT_EQ(Of({{"LANG", "ja_JP.UTF-8"}}), kJapanese);
  EXPECT_EQ(Of({{"LC_MESSAGES", "ja_JP.eucJP"}}), kJapanese);
  EXPECT_EQ(Of({{"LC_ALL", "ja"}}), kJapanese);
  EXPECT_EQ(Of({{"LANGUAGE", "ja"}}), kJapanese);
  EXPECT_EQ(Of({{"LANG", "ja_JP@euro"}}), kJapanese);
}

TEST(InterfaceLanguage, AnyOtherLocaleOrNoneMeansEnglish) {
  EXPECT_EQ(Of({}), kEnglish);
  EXPECT_EQ(Of({{"LANG", "en_US.UTF-8"}}), kEnglish);
  EXPECT_EQ(Of({{"LANG", "de_DE.UTF-8"}}), kEnglish);
  EXPECT_EQ(Of({{"LANG", "jv_ID"}}), kEnglish);  // starts with "j", not "ja"
  EXPECT_EQ(Of({{"LANG", "jam"}}), kEnglish);
}

TEST(InterfaceLanguage, TheFirstSetVariableOfLcAllLcMessagesLangWins) {
  EXPECT_EQ(Of({{"LC_ALL", "en_GB.UTF-8"}, {"LC_MESSAGES", "ja_JP.UTF-8"}, {"LANG", "ja_JP.UTF-8"}}), kEnglish);
  EXPECT_EQ(Of({{"LC_MESSAGES", "ja_JP.UTF-8"}, {"LANG", "en_US.UTF-8"}}), kJapanese);
  EXPECT_EQ(Of({{"LC_ALL", ""}, {"LC_MESSAGES", ""}, {"LANG", "ja_JP.UTF-8"}}), kJapanese);  // empty is unset
}

TEST(InterfaceLanguage, CAndPosixAreEnglishAndSilenceLanguageLists) {
  for (const char* portable : {"C", "POSIX", "C.UTF-8", "C.utf8"}) {
    EXPECT_EQ(Of({{"LANG", portable}}), kEnglish) << portable;
    EXPECT_EQ(Of({{"LC_ALL", portable}, {"LANGUAGE", "ja"}, {"LANG", "ja_JP.UTF-8"}}), kEnglish) << portable;
  }
}

TEST(InterfaceLanguage, TheFirstSpokenEntryOfALanguageListWins) {
  EXPECT_EQ(Of({{"LANG", "en_US.UTF-8"}, {"LANGUAGE", "fr:ja:en"}}), kJapanese);
  EXPECT_EQ(Of({{"LANG", "ja_JP.UTF-8"}, {"LANGUAGE", "de:en_GB:ja"}}), kEnglish);
  // Nothing spoken in the list: the locale decides.
  EXPECT_EQ(Of({{"LANG", "ja_JP.UTF-8"}, {"LANGUAGE", "fr:de"}}), kJapanese);
  EXPECT_EQ(Of({{"LANG", "fr_FR.UTF-8"}, {"LANGUAGE", "::"}}), kEnglish);
}

TEST(InterfaceLanguage, TheSettingOverridesTheEnvironment) {
  EXPECT_EQ(Of({{"LANG", "ja_JP.UTF-8"}}, TLanguageChoice::English), kEnglish);
  EXPECT_EQ(Of({{"LC_ALL", "C"}}, TLanguageChoice::Japanese), kJapanese);
  EXPECT_EQ(Of({{"LANG", "ja_JP.UTF-8"}}, TLanguageChoice::Automatic), kJapanese);
}

TEST(InterfaceLanguage, SettingValuesRoundTripAndUnknownOnesReadAsAutomatic) {
  for (const TLanguageChoice choice : {TLanguageChoice::Automatic, TLanguageChoice::Japanese, TLanguageChoice::English})
    EXPECT_EQ(LanguageChoiceFromSetting(LanguageChoiceSetting(choice)), choice);
  for (const char* unknown : {"", "EN", "english", "ja_JP", "fr"})
    EXPECT_EQ(LanguageChoiceFromSetting(unknown), TLanguageChoice::Automatic) << unknown;
}

TEST(InterfaceLanguage, TheStartUpReadsLanguageAloneFromTheSettingsFile) {
  testing::TTempFolder folder;
  const std::string path = folder / "orvana.ini";
  EXPECT_EQ(ReadLanguageSetting(path), TLanguageChoice::Automatic);  // no file
  testing::WriteBytes(path, "[ini]\r\nVolume=3\r\nlanguage=en\r\n");
  EXPECT_EQ(ReadLanguageSetting(path), TLanguageChoice::English);
  testing::WriteBytes(path, "[ini]\r\nLanguage=klingon\r\n");
  EXPECT_EQ(ReadLanguageSetting(path), TLanguageChoice::Automatic);
}

}  // namespace
}  // namespace orvana::app
