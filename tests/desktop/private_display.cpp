#include "private_display.h"

#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <thread>
#include <vector>

namespace orvana::testing {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kStartMs = 10000;
constexpr int kStopMs = 3000;
constexpr int kAttempts = 5;
// Away from the low numbers, which a stale socket of a killed server may
// still name.
constexpr int kFirstNumber = 200;
constexpr int kNumberRange = 700;

}  // namespace

TPrivateDisplay::TPrivateDisplay(const std::string& logPath, const std::string& screen) {
  std::mt19937 random(std::random_device{}() ^ unsigned(::getpid()));
  for (int attempt = 0; attempt < kAttempts && name_.empty(); ++attempt) {
    const int number = kFirstNumber + int(random() % kNumberRange);
    std::string name = std::to_string(number);
    name.insert(name.begin(), ':');
    if (std::filesystem::exists(std::string("/tmp/.X").append(name, 1).append("-lock"))) continue;
    server_ = std::make_unique<TChildProcess>(
        std::vector<std::string>{"Xvfb", name, "-nolisten", "tcp", "-screen", "0", screen},
        std::vector<std::string>{"PATH=/usr/bin:/bin"}, logPath);
    if (WaitUntilAccepting(number)) {
      name_ = name;
    } else {
      server_.reset();
    }
  }
}

TPrivateDisplay::~TPrivateDisplay() {
  if (server_ == nullptr) return;
  server_->Signal(SIGTERM);
  server_->WaitForExit(kStopMs);
}

// A server that lost the number to another one ends instead of answering.
bool TPrivateDisplay::WaitUntilAccepting(int number) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::snprintf(address.sun_path, sizeof address.sun_path, "/tmp/.X11-unix/X%d", number);
  const auto deadline = Clock::now() + std::chrono::milliseconds(kStartMs);
  while (Clock::now() < deadline && server_->Running()) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const bool connected = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    if (connected) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

}  // namespace orvana::testing
