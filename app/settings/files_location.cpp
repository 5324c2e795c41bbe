#include "app/settings/files_location.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "app/files/path_text.h"

namespace orvana::app {
namespace {

constexpr std::string_view kProgramFolderName = "orvana";
constexpr std::string_view kFallbackExecutableName = "orvana";
// What the kernel appends to /proc/self/exe once the file has been replaced.
constexpr std::string_view kDeletedMark = " (deleted)";

bool IsAbsolute(std::string_view path) { return !path.empty() && path.front() == '/'; }

// `folder` + "/" + `name` + "/", without doubled slashes.
std::string Subfolder(std::string_view folder, std::string_view name) {
  while (!folder.empty() && folder.back() == '/') folder.remove_suffix(1);
  std::string path(folder);
  path += '/';
  path += name;
  path += '/';
  return path;
}

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  if (home && IsAbsolute(home)) return home;
  long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
  struct passwd entry {};
  struct passwd* result = nullptr;
  if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &result) == 0 && result &&
      IsAbsolute(result->pw_dir))
    return result->pw_dir;
  return {};
}

}  // namespace

std::string ExecutablePath() {
  std::error_code error;
  std::string path = std::filesystem::read_symlink("/proc/self/exe", error).string();
  if (error) return {};
  if (path.size() > kDeletedMark.size() && path.ends_with(kDeletedMark))
    path.resize(path.size() - kDeletedMark.size());
  return path;
}

TFilesEnvironment CurrentFilesEnvironment() {
  TFilesEnvironment environment;
  environment.executablePath = ExecutablePath();
  if (!environment.executablePath.empty()) {
    const std::string folder(FolderPart(environment.executablePath));
    environment.executableFolderWritable = ::access(folder.c_str(), W_OK) == 0;
  }
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME")) environment.xdgConfigHome = xdg;
  environment.home = HomeFolder();
  return environment;
}

std::string ProgramFileName(std::string_view fileName, std::string_view extension) {
  // A leading dot marks a hidden file, not an extension.
  const std::size_t dot = fileName.rfind('.');
  std::string name(dot == std::string_view::npos || dot == 0 ? fileName : fileName.substr(0, dot));
  name += extension;
  return AsciiLower(name);
}

std::string ConfigurationFolder(const TFilesEnvironment& environment) {
  if (IsAbsolute(environment.xdgConfigHome)) return Subfolder(environment.xdgConfigHome, kProgramFolderName);
  if (IsAbsolute(environment.home)) return Subfolder(Subfolder(environment.home, ".config"), kProgramFolderName);
  return {};
}

std::string ConfigurationFolder() { return ConfigurationFolder(CurrentFilesEnvironment()); }

bool IsSystemProgramFolder(std::string_view folder) {
  for (std::string_view system : {"/usr/", "/bin/", "/sbin/", "/opt/", "/snap/"})
    if (folder.substr(0, system.size()) == system) return true;
  return false;
}

std::string ProgramFilesFolder(const TFilesEnvironment& environment) {
  const std::string folder(FolderPart(environment.executablePath));
  if (!folder.empty() && environment.executableFolderWritable && !IsSystemProgramFolder(folder)) return folder;
  return ConfigurationFolder(environment);
}

std::string ProgramFilesFolder() { return ProgramFilesFolder(CurrentFilesEnvironment()); }

std::string ExecutableFileName(const TFilesEnvironment& environment) {
  const std::string name(FileNamePart(environment.executablePath));
  return name.empty() ? std::string(kFallbackExecutableName) : name;
}

std::string SettingsFilePath(const TFilesEnvironment& environment) {
  return ProgramFilesFolder(environment) + ProgramFileName(ExecutableFileName(environment), kSettingsExtension);
}

std::string SettingsFilePath() { return SettingsFilePath(CurrentFilesEnvironment()); }

std::string ListFilePath(const TFilesEnvironment& environment) {
  return ProgramFilesFolder(environment) + ProgramFileName(ExecutableFileName(environment), kListExtension);
}

std::string ListFilePath() { return ListFilePath(CurrentFilesEnvironment()); }

}  // namespace orvana::app
