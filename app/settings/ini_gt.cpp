#include "app/settings/ini_gt.h"

#include <utility>

#include "app/settings/files_location.h"

namespace orvana::app {
namespace {

std::string Key(std::string_view prefix, std::string_view name) {
  std::string key(prefix);
  key += name;
  return key;
}

}  // namespace

TIniGTFolders CurrentIniGTFolders() {
  const TFilesEnvironment environment = CurrentFilesEnvironment();
  return {ProgramFilesFolder(environment), ConfigurationFolder(environment), ExecutableFileName(environment)};
}

TIniGT::TIniGT() : TIniGT(CurrentIniGTFolders()) {}

TIniGT::TIniGT(TIniGTFolders folders) : folders_(std::move(folders)) {}

void TIniGT::SetDefaultDir(TIniGTDefaultDir value) {
  defaultDir_ = value;
  SetFileName(fileName_);
}

void TIniGT::SetFileName(const std::string& value) {
  fileName_ = value;
  store_ = TIniStore();  // the old store goes first, unsaved changes with it
  if (!value.empty()) store_ = TIniStore(Resolve(value));
}

std::string TIniGT::Resolve(const std::string& value) const {
  if (value.find('/') != std::string::npos) return value;
  switch (defaultDir_) {
    case TIniGTDefaultDir::ddApplication:
      return folders_.application + value;
    case TIniGTDefaultDir::ddWindows:
      return folders_.windows + value;
    case TIniGTDefaultDir::ddNone:
      break;
  }
  return value;
}

void TIniGT::Loaded() {
  if (fileName_.empty()) SetFileName(ProgramFileName(folders_.executableFileName, kSettingsExtension));
}

bool TIniGT::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
  return store_.ReadBool(section, key, defaultValue);
}

void TIniGT::WriteBool(std::string_view section, std::string_view key, bool value) {
  store_.WriteBool(section, key, value);
}

std::int32_t TIniGT::ReadInteger(std::string_view section, std::string_view key,
                                 std::int32_t defaultValue) const {
  return store_.ReadInteger(section, key, defaultValue);
}

void TIniGT::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
  store_.WriteInteger(section, key, value);
}

std::string TIniGT::ReadString(std::string_view section, std::string_view key,
                               std::string_view defaultValue) const {
  return store_.ReadString(section, key, defaultValue);
}

void TIniGT::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  store_.WriteString(section, key, value);
}

void TIniGT::EraseKey(std::string_view section, std::string_view key) { store_.EraseKey(section, key); }

void TIniGT::ReadFont(std::string_view section, std::string_view prefix, TStoredFont& font) const {
  TStoredFont read;
  read.name = ReadString(section, Key(prefix, ".Name"), font.name);
  read.size = ReadInteger(section, Key(prefix, ".Size"), font.size);
  read.color = ReadInteger(section, Key(prefix, ".Color"), font.color);
  read.style = ReadInteger(section, Key(prefix, ".Style"), font.style) & kFontStyleMask;
  font = std::move(read);
}

void TIniGT::WriteFont(std::string_view section, std::string_view prefix, const TStoredFont& font) {
  WriteString(section, Key(prefix, ".Name"), font.name);
  WriteInteger(section, Key(prefix, ".Size"), font.size);
  WriteInteger(section, Key(prefix, ".Color"), font.color);
  WriteInteger(section, Key(prefix, ".Style"), font.style & kFontStyleMask);
}

void TIniGT::UpdateFile() { store_.UpdateFile(); }

}  // namespace orvana::app
