#pragma once
// TIniGT: the settings file the program reads and writes. It resolves the
// file's place from FileName and DefaultDir, holds the whole file in an
// in-memory store (TIniStore), and reads and writes single values and whole
// fonts. Writes change only the store until UpdateFile; destroying the
// object without UpdateFile loses them.
//
// DefaultDir places a FileName without a folder part:
// - ddApplication: in the program's files folder (files_location.h: the
//   executable's folder when writable, else the configuration folder);
// - ddWindows: in the configuration folder, `$XDG_CONFIG_HOME/orvana/`;
// - ddNone: unchanged, relative to the current folder.
// A FileName with a "/" in it is used as it is.
#include <cstdint>
#include <string>
#include <string_view>

#include "app/settings/stored_font.h"
#include "app/settings/ini_store.h"

namespace orvana::app {

enum class TIniGTDefaultDir { ddApplication, ddWindows, ddNone };

// The folders DefaultDir stands for, and the executable's file name that
// Loaded names the file after. Folders end with "/".
struct TIniGTFolders {
  std::string application;
  std::string windows;
  std::string executableFileName;
};
// The running program's folders (files_location.h).
TIniGTFolders CurrentIniGTFolders();

class TIniGT {
 public:
  // An empty store without a file; DefaultDir ddApplication; FileName empty.
  TIniGT();
  explicit TIniGT(TIniGTFolders folders);
  TIniGT(const TIniGT&) = delete;
  TIniGT& operator=(const TIniGT&) = delete;

  TIniGTDefaultDir DefaultDir() const { return defaultDir_; }
  // Stores the value and sets FileName again (re-resolves and re-reads).
  void SetDefaultDir(TIniGTDefaultDir value);

  const std::string& FileName() const { return fileName_; }
  // Drops the store (and its unsaved changes) and reads the file the name
  // resolves to. An empty name gives an empty store without a file.
  void SetFileName(const std::string& value);
  // The path the store reads and writes.
  const std::string& FullFileName() const { return store_.FileName(); }

  // When FileName is empty: FileName := the executable's file name with
  // the extension ".ini", lower-cased as the program's settings file is
  // (files_location.h), so that with ddApplication it is that very file.
  void Loaded();

  bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;
  void WriteBool(std::string_view section, std::string_view key, bool value);
  std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t defaultValue) const;
  void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
  std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void EraseKey(std::string_view section, std::string_view key);

  // prefix + ".Name", ".Size", ".Color" (a signed 32-bit colour value, so
  // system colours are negative) and ".Style" (the bit mask). Reading takes
  // the font's current values as defaults and changes `font` in one
  // assignment; style bits other than the four known ones are dropped.
  void ReadFont(std::string_view section, std::string_view prefix, TStoredFont& font) const;
  void WriteFont(std::string_view section, std::string_view prefix, const TStoredFont& font);

  // Writes the whole store to FullFileName(); throws TFileWriteError on
  // failure (and when there is no file name).
  void UpdateFile();

  const TIniStore& Store() const { return store_; }

 private:
  std::string Resolve(const std::string& value) const;

  TIniGTFolders folders_;
  TIniGTDefaultDir defaultDir_ = TIniGTDefaultDir::ddApplication;
  std::string fileName_;
  TIniStore store_;
};

}  // namespace orvana::app
