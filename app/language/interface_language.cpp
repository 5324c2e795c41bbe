#include "app/language/interface_language.h"

#include <cstdlib>
#include <optional>

namespace orvana::app {
namespace {

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

// "ja", "ja_JP", "ja_JP.UTF-8", "ja@..."; not "jaz".
bool NamesLanguage(std::string_view locale, std::string_view language) {
  if (!StartsWith(locale, language)) return false;
  return locale.size() == language.size() || locale[language.size()] == '_' || locale[language.size()] == '.' ||
         locale[language.size()] == '@';
}

bool IsPortableLocale(std::string_view locale) {
  return locale == "C" || locale == "POSIX" || StartsWith(locale, "C.") || StartsWith(locale, "POSIX.");
}

std::optional<TInterfaceLanguage> Spoken(std::string_view locale) {
  if (NamesLanguage(locale, "ja")) return TInterfaceLanguage::Japanese;
  if (NamesLanguage(locale, "en")) return TInterfaceLanguage::English;
  return std::nullopt;
}

}  // namespace

TLanguageChoice LanguageChoiceFromSetting(std::string_view value) {
  if (value == "ja") return TLanguageChoice::Japanese;
  if (value == "en") return TLanguageChoice::English;
  return TLanguageChoice::Automatic;
}

const char* LanguageChoiceSetting(TLanguageChoice choice) {
  switch (choice) {
    case TLanguageChoice::Japanese: return "ja";
    case TLanguageChoice::English: return "en";
    case TLanguageChoice::Automatic: break;
  }
  return "auto";
}

TEnvironment ProcessEnvironment() {
  return [](const char* name) {
    const char* value = std::getenv(name);
    return std::string(value != nullptr ? value : "");
  };
}

TInterfaceLanguage LanguageOfEnvironment(const TEnvironment& environment) {
  std::string locale;
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    locale = environment(name);
    if (!locale.empty()) break;
  }
  if (IsPortableLocale(locale)) return TInterfaceLanguage::English;
  const std::string list = environment("LANGUAGE");
  for (std::size_t start = 0; start <= list.size();) {
    std::size_t end = list.find(':', start);
    if (end == std::string::npos) end = list.size();
    if (const auto language = Spoken(std::string_view(list).substr(start, end - start))) return *language;
    start = end + 1;
  }
  return NamesLanguage(locale, "ja") ? TInterfaceLanguage::Japanese : TInterfaceLanguage::English;
}

TInterfaceLanguage InterfaceLanguage(TLanguageChoice choice, const TEnvironment& environment) {
  switch (choice) {
    case TLanguageChoice::Japanese: return TInterfaceLanguage::Japanese;
    case TLanguageChoice::English: return TInterfaceLanguage::English;
    case TLanguageChoice::Automatic: break;
  }
  return LanguageOfEnvironment(environment);
}

}  // namespace orvana::app
