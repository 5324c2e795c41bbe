#pragma once
// A folder of a test's own: /tmp/orvana-KIND-XXXXXX, made 0700 with HOME,
// the configuration and the runtime folders in it (0700 each), and removed
// with all it holds when its owner goes.
#include <string>
#include <vector>

namespace orvana::testing {

class TFreshFolder {
 public:
  explicit TFreshFolder(const std::string& kind);
  ~TFreshFolder();
  TFreshFolder(const TFreshFolder&) = delete;
  TFreshFolder& operator=(const TFreshFolder&) = delete;

  // Empty when the folder could not be made.
  const std::string& Path() const { return path_; }
  // HOME, XDG_CONFIG_HOME and XDG_RUNTIME_DIR inside it.
  std::vector<std::string> Environment() const;

 private:
  std::string path_;
};

}  // namespace orvana::testing
