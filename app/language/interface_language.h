#pragma once
// Which language the interface speaks: Japanese (the texts in the code) or
// English (the catalogue). The settings' "Language" overrides the
// environment; "auto" follows the environment as gettext reads it.
#include <functional>
#include <string>
#include <string_view>

namespace orvana::app {

enum class TInterfaceLanguage { Japanese, English };

// The settings' choice, stored as "auto", "ja" or "en".
enum class TLanguageChoice { Automatic, Japanese, English };

// Unknown or empty values read as automatic.
TLanguageChoice LanguageChoiceFromSetting(std::string_view value);
const char* LanguageChoiceSetting(TLanguageChoice choice);

// Looks an environment variable up: empty when unset.
using TEnvironment = std::function<std::string(const char* name)>;
TEnvironment ProcessEnvironment();

// The messages locale is the first of LC_ALL, LC_MESSAGES and LANG that is
// set. "C" and "POSIX" (any codeset) mean English and, as in gettext, make
// LANGUAGE count for nothing. Otherwise the first entry of the LANGUAGE list
// the program speaks (ja or en) wins; failing that, a locale starting "ja"
// means Japanese, any other English.
TInterfaceLanguage LanguageOfEnvironment(const TEnvironment& environment);

TInterfaceLanguage InterfaceLanguage(TLanguageChoice choice, const TEnvironment& environment);

}  // namespace orvana::app
