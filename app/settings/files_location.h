#pragma once
// Where the program keeps its settings file and its list file.
//
// The program's files folder is the executable's folder when that folder is
// writable (a build tree, a portable copy); otherwise the configuration
// folder, `$XDG_CONFIG_HOME/orvana/` (XDG_CONFIG_HOME counts only when it is
// an absolute path), else `$HOME/.config/orvana/`. The files are named after
// the executable: its file name with the extension replaced (or, having
// none, extended) by ".ini" and ".lst", lower-cased (ASCII letters of the
// file name only; folders keep their case). So `orvana` keeps `orvana.ini`
// and `orvana.lst`.
//
// Every function comes in two forms: one for the running program, and one
// that takes the facts it depends on (TFilesEnvironment), for tests.
// Folders are returned with a trailing "/".
#include <string>
#include <string_view>

namespace orvana::app {

constexpr std::string_view kSettingsExtension = ".ini";
constexpr std::string_view kListExtension = ".lst";

struct TFilesEnvironment {
  std::string executablePath;       // absolute; empty when unknown
  bool executableFolderWritable = false;
  std::string xdgConfigHome;        // the variable's value; empty when unset
  std::string home;                 // the home folder; empty when unknown
};

// The running program's facts: the executable from /proc/self/exe (a
// " (deleted)" mark of a replaced executable is dropped), its folder tested
// with access(W_OK), the environment variables, and the password database
// when HOME is not an absolute path.
TFilesEnvironment CurrentFilesEnvironment();

// The running executable's path from /proc/self/exe (a " (deleted)" mark of
// a replaced executable dropped); empty when it cannot be read.
std::string ExecutablePath();
// `fileName` with its extension replaced by `extension` (".ini"), or extended
// when it has none, ASCII lower-cased.
std::string ProgramFileName(std::string_view fileName, std::string_view extension);

// `$XDG_CONFIG_HOME/orvana/`, `$HOME/.config/orvana/`, or with neither
// usable, "" (the current folder).
std::string ConfigurationFolder(const TFilesEnvironment& environment);
std::string ConfigurationFolder();

// An installed program's folder (under /usr, /opt, ...), which root could
// write to but which no user's settings belong in.
bool IsSystemProgramFolder(std::string_view folder);

// The executable's folder when writable and not a system program folder,
// else ConfigurationFolder. With the executable unknown, ConfigurationFolder.
std::string ProgramFilesFolder(const TFilesEnvironment& environment);
std::string ProgramFilesFolder();

// ProgramFilesFolder + the executable's name as "*.ini" / "*.lst" ("orvana"
// stands in for an unknown executable).
std::string SettingsFilePath(const TFilesEnvironment& environment);
std::string SettingsFilePath();
std::string ListFilePath(const TFilesEnvironment& environment);
std::string ListFilePath();

// The executable's file name, "orvana" when unknown.
std::string ExecutableFileName(const TFilesEnvironment& environment);

}  // namespace orvana::app
