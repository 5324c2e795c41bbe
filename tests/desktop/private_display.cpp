#include "private_display.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <vector>

namespace orvana::testing {
namespace {

constexpr int kStartMs = 10000;
constexpr int kStopMs = 3000;

}  // namespace

// The server picks a free number itself and writes it once it accepts
// connections: two tests starting at once can never share a display. It
// never resets: a reset when the last client leaves drops a client that is
// connecting just then (the tray or the program, which then sees no display).
TPrivateDisplay::TPrivateDisplay(const std::string& logPath, const std::string& screen) {
  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC) != 0) return;
  server_ = std::make_unique<TChildProcess>(
      std::vector<std::string>{"Xvfb", "-displayfd", "3", "-nolisten", "tcp", "-noreset", "-screen", "0", screen},
      std::vector<std::string>{"PATH=/usr/bin:/bin"}, logPath, pipeFds[1]);
  ::close(pipeFds[1]);
  const std::string number = ReadFirstLine(pipeFds[0], kStartMs);
  ::close(pipeFds[0]);
  if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos) {
    server_.reset();
    return;
  }
  name_ = ":" + number;
}

TPrivateDisplay::~TPrivateDisplay() {
  if (server_ == nullptr) return;
  server_->Signal(SIGTERM);
  server_->WaitForExit(kStopMs);
}

}  // namespace orvana::testing
