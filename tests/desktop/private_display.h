#pragma once
// An X server of a test's own (Xvfb), on a display number nobody else uses,
// ready once it says so; ended politely so that it takes its lock and socket
// files with it.
#include <memory>
#include <string>

#include "child_process.h"

namespace orvana::testing {

class TPrivateDisplay {
 public:
  // `logPath` takes the server's output; `screen` is WIDTHxHEIGHTxDEPTH.
  explicit TPrivateDisplay(const std::string& logPath, const std::string& screen = "1024x768x24");
  ~TPrivateDisplay();
  TPrivateDisplay(const TPrivateDisplay&) = delete;
  TPrivateDisplay& operator=(const TPrivateDisplay&) = delete;

  bool Ready() const { return !name_.empty(); }
  // ":N", or empty when no server could be started.
  const std::string& Name() const { return name_; }

 private:
  std::string name_;
  std::unique_ptr<TChildProcess> server_;
};

}  // namespace orvana::testing
