#include "tray_display.h"

#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

namespace orvana::testing {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
constexpr int kDisplayStartMs = 10000;
constexpr int kTrayStopMs = 2000;
constexpr int kServerStopMs = 3000;

}  // namespace

TTrayDisplay::TTrayDisplay() {
  char folder[] = "/tmp/orvana-tray-XXXXXX";
  if (::mkdtemp(folder) == nullptr) return;
  root_ = folder;
  for (const char* sub : {"/home", "/config", "/runtime"}) ::mkdir((root_ + sub).c_str(), 0700);

  int pipeFds[2];
  if (::pipe(pipeFds) != 0) return;
  server_ = std::make_unique<TChildProcess>(
      std::vector<std::string>{"Xvfb", "-displayfd", "3", "-nolisten", "tcp", "-screen", "0", "800x600x24"},
      std::vector<std::string>{"PATH=/usr/bin:/bin"}, root_ + "/xvfb.log", pipeFds[1]);
  ::close(pipeFds[1]);
  // Xvfb writes its display number once it accepts clients.
  std::string number;
  const auto deadline = Clock::now() + std::chrono::milliseconds(kDisplayStartMs);
  char buffer[32];
  while (number.find('\n') == std::string::npos && Clock::now() < deadline) {
    pollfd poller{pipeFds[0], POLLIN, 0};
    if (::poll(&poller, 1, 100) <= 0) continue;
    const ssize_t got = ::read(pipeFds[0], buffer, sizeof buffer);
    if (got <= 0) break;
    number.append(buffer, std::size_t(got));
  }
  ::close(pipeFds[0]);
  const std::size_t end = number.find('\n');
  if (end != std::string::npos) display_ = std::string(":").append(number, 0, end);
}

TTrayDisplay::~TTrayDisplay() {
  StopTray();
  // Politely, so that the server takes its lock and socket files with it.
  if (server_ != nullptr) {
    server_->Signal(SIGTERM);
    if (!server_->WaitForExit(kServerStopMs)) server_->Kill();
    server_.reset();
  }
  if (!root_.empty()) {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }
}

std::vector<std::string> TTrayDisplay::Environment() const {
  return {"PATH=/usr/local/bin:/usr/bin:/bin",
          "DISPLAY=" + display_,
          "HOME=" + root_ + "/home",
          "XDG_CONFIG_HOME=" + root_ + "/config",
          "XDG_RUNTIME_DIR=" + root_ + "/runtime",
          "DBUS_SESSION_BUS_ADDRESS=disabled:",
          "LANG=C.UTF-8"};
}

void TTrayDisplay::StartTray() {
  if (tray_ != nullptr) return;
  tray_ = std::make_unique<TChildProcess>(
      std::vector<std::string>{"trayer", "--edge", "top", "--align", "right", "--widthtype", "request", "--height",
                               "32", "--SetDockType", "true", "--expand", "true", "--transparent", "false"},
      Environment(), root_ + "/trayer.log");
}

void TTrayDisplay::StopTray() {
  if (tray_ == nullptr) return;
  tray_->Signal(SIGTERM);
  if (!tray_->WaitForExit(kTrayStopMs)) tray_->Kill();
  tray_.reset();
}

void TTrayDisplay::KillTray() {
  if (tray_ == nullptr) return;
  tray_->Kill();
  tray_.reset();
}

TCommandResult TTrayDisplay::Xdotool(const std::vector<std::string>& arguments) const {
  std::vector<std::string> argv{"xdotool"};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  return RunCommand(argv, Environment(), 5000);
}

}  // namespace orvana::testing
