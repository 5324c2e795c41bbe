#include "desktop_session.h"

#include <signal.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>
#include <random>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

namespace orvana::testing {
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kDisplayStartMs = 10000;
constexpr int kDisplayStopMs = 3000;
constexpr int kDisplayAttempts = 5;
constexpr int kFirstDisplay = 200;
constexpr int kDisplayRange = 700;
constexpr int kToolMs = 5000;

}  // namespace

TDesktopSession::TDesktopSession() {
  std::string pattern = fs::temp_directory_path().string() + "/orvana-desktop-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) return;
  root_ = pattern;  // mkdtemp makes it 0700
  for (const char* folder : {"/home", "/config", "/runtime", "/bin"}) fs::create_directory(root_ + folder);
  fs::permissions(root_ + "/runtime", fs::perms::owner_all);
  // A portable copy: the launcher and the desktop library beside it.
  const fs::path built = ORVANA_DESKTOP_PATH;
  fs::copy_file(built, ProgramPath());
  fs::copy_file(built.parent_path() / "liborvana-desktop.so", ProgramFolder() + "/liborvana-desktop.so");
  // ALSA's default device becomes one that plays nothing, so songs open and
  // play without a sound card.
  WriteFile(root_ + "/home/.asoundrc", "pcm.!default { type null }\nctl.!default { type hw card 0 }\n");
  StartDisplay();
}

TDesktopSession::~TDesktopSession() {
  // Ended politely, the server takes its lock and socket files with it.
  if (server_ != nullptr) {
    server_->Signal(SIGTERM);
    server_->WaitForExit(kDisplayStopMs);
  }
  server_.reset();
  if (!root_.empty()) {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }
}

void TDesktopSession::StartDisplay() {
  // A display number of its own, away from the low ones a stale socket of a
  // killed server may still name; taken numbers are skipped.
  std::mt19937 random(std::random_device{}() ^ unsigned(::getpid()));
  for (int attempt = 0; attempt < kDisplayAttempts && display_.empty(); ++attempt) {
    const int number = kFirstDisplay + int(random() % kDisplayRange);
    std::string name = std::to_string(number);
    name.insert(name.begin(), ':');
    if (fs::exists(std::string("/tmp/.X").append(name, 1).append("-lock"))) continue;
    server_ = std::make_unique<TChildProcess>(
        std::vector<std::string>{"Xvfb", name, "-nolisten", "tcp", "-screen", "0", "1024x768x24"},
        std::vector<std::string>{"PATH=/usr/bin:/bin"}, root_ + "/xvfb.log");
    if (WaitUntilAccepting(number)) {
      display_ = name;
    } else {
      server_.reset();
    }
  }
}

// The server is ready once its socket takes a connection; one that lost the
// number to another server ends instead.
bool TDesktopSession::WaitUntilAccepting(int number) {
  const std::string socketPath = "/tmp/.X11-unix/X" + std::to_string(number);
  const auto deadline = Clock::now() + std::chrono::milliseconds(kDisplayStartMs);
  while (Clock::now() < deadline && server_->Running()) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socketPath.c_str());
    const bool connected = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    if (connected) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

std::vector<std::string> TDesktopSession::Environment() const {
  return {"PATH=/usr/local/bin:/usr/bin:/bin",
          "DISPLAY=" + display_,
          "HOME=" + root_ + "/home",
          "XDG_CONFIG_HOME=" + root_ + "/config",
          "XDG_RUNTIME_DIR=" + root_ + "/runtime",
          "DBUS_SESSION_BUS_ADDRESS=disabled:",
          "QT_QPA_PLATFORM=xcb",
          "LANG=C.UTF-8",
          "ASAN_OPTIONS=detect_leaks=0",
          "UBSAN_OPTIONS=print_stacktrace=1"};
}

std::string TDesktopSession::MakeSong(const std::string& name) const {
  const std::string path = root_ + "/" + name;
  fs::copy_file(std::string(ORVANA_TEST_DATA_DIR) + "/player/tone-44100-stereo-cbr.mp3", path);
  return path;
}

void TDesktopSession::WriteFile(const std::string& path, const std::string& text) const {
  std::ofstream(path, std::ios::binary) << text;
}

std::string TDesktopSession::ReadFile(const std::string& path) const {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string TDesktopSession::Log() const { return ReadFile(LogPath()); }

std::unique_ptr<TChildProcess> TDesktopSession::StartProgram(const std::vector<std::string>& arguments) const {
  std::vector<std::string> argv{ProgramPath()};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  return std::make_unique<TChildProcess>(argv, Environment(), LogPath());
}

TCommandResult TDesktopSession::RunProgram(const std::vector<std::string>& arguments, int timeoutMs) const {
  std::vector<std::string> argv{ProgramPath()};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  return RunCommand(argv, Environment(), timeoutMs, root_);
}

std::vector<std::string> TDesktopSession::WindowNames(const std::string& prefix, bool mappedOnly) const {
  std::vector<std::string> search{"xdotool", "search"};
  if (mappedOnly) search.push_back("--onlyvisible");
  search.insert(search.end(), {"--name", "^" + prefix});
  const TCommandResult found = RunCommand(search, Environment(), kToolMs);
  std::vector<std::string> names;
  std::istringstream ids(found.output);
  for (std::string id; std::getline(ids, id);) {
    TCommandResult name = RunCommand({"xdotool", "getwindowname", id}, Environment(), kToolMs);
    while (!name.output.empty() && name.output.back() == '\n') name.output.pop_back();
    if (name.output.rfind(prefix, 0) == 0) names.push_back(name.output);
  }
  return names;
}

bool TDesktopSession::WaitForWindow(const std::string& prefix, int timeoutMs) const {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  do {
    if (!WindowNames(prefix, true).empty()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  } while (Clock::now() < deadline);
  return false;
}

}  // namespace orvana::testing

namespace orvana::testing {

bool TDesktopSession::WaitForInstanceSocket(int timeoutMs) const {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  do {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(root_ + "/runtime", error))
      if (entry.is_socket(error)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  } while (Clock::now() < deadline);
  return false;
}

}  // namespace orvana::testing
