#include "app/desktop/runtime_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "desktop_test_support.h"

namespace orvana::app {
namespace {

class RuntimeFolderTest : public ::testing::Test {
 protected:
  std::string Fallback() const { return tmp_.Path() + "/orvana-" + std::to_string(::getuid()); }
  std::string MakeFolder(const std::string& name, mode_t mode) const {
    const std::string path = xdg_.Path() + "/" + name;
    ::mkdir(path.c_str(), 0700);
    ::chmod(path.c_str(), mode);
    return path;
  }
  testing::TPrivateFolder xdg_;
  testing::TPrivateFolder tmp_;  // stands for /tmp
};

TEST_F(RuntimeFolderTest, TakesAPrivateXdgFolder) {
  const TRuntimeFolder folder = FindRuntimeFolder(xdg_.Path().c_str(), tmp_.Path());
  EXPECT_EQ(folder.path, xdg_.Path());
  EXPECT_FALSE(std::filesystem::exists(Fallback())) << "the fallback is not made when unneeded";
}

TEST_F(RuntimeFolderTest, FallsBackToAFolderOfItsOwnWhenXdgIsUnusable) {
  const std::string tooLong = MakeFolder(std::string(kMaxRuntimeFolderLength, 'n'), 0700);
  const std::string openToOthers = MakeFolder("open", 0777);
  for (const char* xdg : {static_cast<const char*>(nullptr), "", "relative/run", "/nonexistent-orvana-run",
                          openToOthers.c_str(), tooLong.c_str()}) {
    const TRuntimeFolder folder = FindRuntimeFolder(xdg, tmp_.Path());
    EXPECT_EQ(folder.path, Fallback()) << (xdg ? xdg : "(unset)");
    struct stat status {};
    ASSERT_EQ(::lstat(Fallback().c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0700u);
  }
}

TEST_F(RuntimeFolderTest, RefusesAFallbackOthersCouldReach) {
  ASSERT_EQ(::mkdir(Fallback().c_str(), 0755), 0);
  ::chmod(Fallback().c_str(), 0755);
  TRuntimeFolder folder = FindRuntimeFolder(nullptr, tmp_.Path());
  EXPECT_TRUE(folder.path.empty());
  EXPECT_NE(folder.problem.find("0755"), std::string::npos) << folder.problem;

  ::rmdir(Fallback().c_str());
  ASSERT_EQ(::symlink(xdg_.Path().c_str(), Fallback().c_str()), 0);
  folder = FindRuntimeFolder(nullptr, tmp_.Path());
  EXPECT_TRUE(folder.path.empty()) << "a link planted under the name is not followed";
  EXPECT_NE(folder.problem, "");
}

TEST_F(RuntimeFolderTest, RefusesAnXdgFolderOfAnotherUser) {
  if (::getuid() == 0) GTEST_SKIP() << "root owns every candidate";
  EXPECT_EQ(FindRuntimeFolder("/", tmp_.Path()).path, Fallback());
}

}  // namespace
}  // namespace orvana::app
