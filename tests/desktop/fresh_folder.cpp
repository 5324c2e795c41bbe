#include "fresh_folder.h"

#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>

namespace orvana::testing {

TFreshFolder::TFreshFolder(const std::string& kind) {
  std::string pattern = "/tmp/orvana-" + kind + "-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) return;  // 0700
  for (const char* sub : {"/home", "/config", "/runtime"}) {
    if (::mkdir((pattern + sub).c_str(), 0700) != 0) {
      std::error_code ignored;
      std::filesystem::remove_all(pattern, ignored);
      return;
    }
  }
  path_ = pattern;
}

TFreshFolder::~TFreshFolder() {
  if (path_.empty()) return;
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::vector<std::string> TFreshFolder::Environment() const {
  return {"HOME=" + path_ + "/home", "XDG_CONFIG_HOME=" + path_ + "/config", "XDG_RUNTIME_DIR=" + path_ + "/runtime"};
}

}  // namespace orvana::testing
