#include "app/files/path_text.h"
#include "app/settings/files_location.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace orvana::app {
namespace {

TFilesEnvironment Environment(std::string executable, bool writable, std::string xdg, std::string home) {
  return {std::move(executable), writable, std::move(xdg), std::move(home)};
}

TEST(FilesLocation, FileNamesTakeTheExecutablesNameLowerCased) {
  EXPECT_EQ(ProgramFileName("orvana", ".ini"), "orvana.ini");
  EXPECT_EQ(ProgramFileName("orvana", ".lst"), "orvana.lst");
  EXPECT_EQ(ProgramFileName("Orvana.EXE", ".ini"), "orvana.ini");
  EXPECT_EQ(ProgramFileName("orvana-1.2.bin", ".lst"), "orvana-1.2.lst");
  EXPECT_EQ(ProgramFileName(".hidden", ".ini"), ".hidden.ini");
  EXPECT_EQ(ProgramFileName("Ölvana", ".ini"), "Ölvana.ini");  // ASCII only
}

TEST(FilesLocation, PathParts) {
  EXPECT_EQ(FolderPart("/opt/Orvana/bin/orvana"), "/opt/Orvana/bin/");
  EXPECT_EQ(FolderPart("orvana"), "");
  EXPECT_EQ(FolderPart("/orvana"), "/");
  EXPECT_EQ(FileNamePart("/opt/Orvana/bin/Orvana"), "Orvana");
  EXPECT_EQ(FileNamePart("orvana"), "orvana");
}

TEST(FilesLocation, AWritableExecutableFolderHoldsTheFiles) {
  const TFilesEnvironment environment = Environment("/home/u/Build/Orvana", true, "/x/config", "/home/u");
  EXPECT_EQ(ProgramFilesFolder(environment), "/home/u/Build/");
  // Only the file name is lower-cased: the folders keep their case.
  EXPECT_EQ(SettingsFilePath(environment), "/home/u/Build/orvana.ini");
  EXPECT_EQ(ListFilePath(environment), "/home/u/Build/orvana.lst");
}

TEST(FilesLocation, AnInstalledProgramUsesTheConfigurationFolder) {
  const TFilesEnvironment environment = Environment("/usr/bin/orvana", false, "/home/u/Config", "/home/u");
  EXPECT_EQ(ConfigurationFolder(environment), "/home/u/Config/orvana/");
  EXPECT_EQ(ProgramFilesFolder(environment), "/home/u/Config/orvana/");
  EXPECT_EQ(SettingsFilePath(environment), "/home/u/Config/orvana/orvana.ini");
  EXPECT_EQ(ListFilePath(environment), "/home/u/Config/orvana/orvana.lst");
  // Root may write to /usr/bin, but settings never belong there.
  for (const char* installed : {"/usr/bin/orvana", "/usr/local/bin/orvana", "/opt/orvana/orvana"})
    EXPECT_EQ(ProgramFilesFolder(Environment(installed, true, "/home/u/Config", "/home/u")), "/home/u/Config/orvana/")
        << installed;
}

TEST(FilesLocation, XdgConfigHomeCountsOnlyWhenAbsolute) {
  EXPECT_EQ(ConfigurationFolder(Environment("", false, "", "/home/u")), "/home/u/.config/orvana/");
  EXPECT_EQ(ConfigurationFolder(Environment("", false, "relative/config", "/home/u")), "/home/u/.config/orvana/");
  EXPECT_EQ(ConfigurationFolder(Environment("", false, "/cfg/", "/home/u/")), "/cfg/orvana/");
  EXPECT_EQ(ConfigurationFolder(Environment("", false, "", "/")), "/.config/orvana/");
  EXPECT_EQ(ConfigurationFolder(Environment("", false, "", "")), "");  // the current folder
}

TEST(FilesLocation, AnUnknownExecutableUsesTheConfigurationFolderAndTheProgramsName) {
  const TFilesEnvironment environment = Environment("", true, "", "/home/u");
  EXPECT_EQ(SettingsFilePath(environment), "/home/u/.config/orvana/orvana.ini");
  EXPECT_EQ(ListFilePath(environment), "/home/u/.config/orvana/orvana.lst");
}

TEST(FilesLocation, TheRunningProgramIsThisTest) {
  const TFilesEnvironment environment = CurrentFilesEnvironment();
  char buffer[4096] = {};
  const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  ASSERT_GT(length, 0);
  const std::string executable(buffer, static_cast<std::size_t>(length));
  EXPECT_EQ(environment.executablePath, executable);
  EXPECT_EQ(environment.executableFolderWritable, ::access(std::string(FolderPart(executable)).c_str(), W_OK) == 0);
  EXPECT_TRUE(!environment.home.empty() && environment.home.front() == '/');
  const std::string folder = environment.executableFolderWritable ? std::string(FolderPart(executable)) : ConfigurationFolder();
  EXPECT_EQ(SettingsFilePath(), folder + ProgramFileName(FileNamePart(executable), ".ini"));
  EXPECT_EQ(ListFilePath(), folder + ProgramFileName(FileNamePart(executable), ".lst"));
}

// Changes an environment variable for one test.
class TEnvironmentVariable {
 public:
  TEnvironmentVariable(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) previous_ = old;
    if (value) ::setenv(name, value, 1);
    else ::unsetenv(name);
  }
  ~TEnvironmentVariable() {
    if (previous_) ::setenv(name_, previous_->c_str(), 1);
    else ::unsetenv(name_);
  }
  TEnvironmentVariable(const TEnvironmentVariable&) = delete;
  TEnvironmentVariable& operator=(const TEnvironmentVariable&) = delete;

 private:
  const char* name_;
  std::optional<std::string> previous_;
};

TEST(FilesLocation, TheRunningProgramReadsTheEnvironment) {
  {
    TEnvironmentVariable xdg("XDG_CONFIG_HOME", "/somewhere/cfg");
    EXPECT_EQ(ConfigurationFolder(), "/somewhere/cfg/orvana/");
  }
  {
    TEnvironmentVariable xdg("XDG_CONFIG_HOME", nullptr);
    TEnvironmentVariable home("HOME", "/home/someone");
    EXPECT_EQ(ConfigurationFolder(), "/home/someone/.config/orvana/");
  }
  {
    // Without a usable HOME, the password database names the home folder.
    TEnvironmentVariable xdg("XDG_CONFIG_HOME", "not/absolute");
    TEnvironmentVariable home("HOME", nullptr);
    const std::string folder = ConfigurationFolder();
    EXPECT_TRUE(folder.empty() || (folder.front() == '/' && folder.ends_with("/.config/orvana/"))) << folder;
  }
}

}  // namespace
}  // namespace orvana::app
