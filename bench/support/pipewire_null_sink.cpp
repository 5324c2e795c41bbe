#include "support/pipewire_null_sink.h"

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

namespace orvana::testing {
namespace {

constexpr int kStartLimitMs = 10000;
constexpr int kCommandLimitMs = 5000;

bool Exists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0;
}

}  // namespace

TPipeWireNullSink::TPipeWireNullSink() {
  running_ = Start();
  if (!running_)
    while (!daemons_.empty()) daemons_.pop_back();
}

TPipeWireNullSink::~TPipeWireNullSink() {
  while (!daemons_.empty()) daemons_.pop_back();
  if (!folder_.empty()) std::filesystem::remove_all(folder_);
}

std::vector<std::string> TPipeWireNullSink::Environment() const {
  return {"PATH=/usr/local/bin:/usr/bin:/bin", "HOME=" + folder_, "XDG_RUNTIME_DIR=" + folder_,
          "XDG_CONFIG_HOME=" + folder_ + "/config", "DBUS_SESSION_BUS_ADDRESS=" + bus_.Address(),
          "PULSE_SERVER=" + Server()};
}

bool TPipeWireNullSink::Start() {
  if (!bus_.Ready()) {
    failure_ = "no session bus";
    return false;
  }
  std::string pattern = std::filesystem::temp_directory_path().string() + "/orvana-pipewire-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) {
    failure_ = "no folder";
    return false;
  }
  folder_ = pattern;
  const auto start = [&](const std::string& program) {
    daemons_.push_back(std::make_unique<TChildProcess>(std::vector<std::string>{program}, Environment(),
                                                       folder_ + "/" + program + ".log"));
  };
  const auto waitFor = [&](const std::function<bool()>& ready) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kStartLimitMs);
    while (!ready()) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
  };
  start("pipewire");
  if (!waitFor([&] { return Exists(folder_ + "/pipewire-0"); })) {
    failure_ = "pipewire did not start";
    return false;
  }
  start("wireplumber");
  start("pipewire-pulse");
  const auto pactl = [&](const std::vector<std::string>& arguments) {
    std::vector<std::string> argv{"pactl"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return RunCommand(argv, Environment(), kCommandLimitMs);
  };
  if (!waitFor([&] { return pactl({"info"}).status == 0; })) {
    failure_ = "pipewire-pulse did not answer";
    return false;
  }
  pactl({"load-module", "module-null-sink", "sink_name=null"});
  // The session manager links streams to the default sink once it knows it.
  if (!waitFor([&] {
        pactl({"set-default-sink", "null"});
        return pactl({"get-default-sink"}).output.find("null") == 0;
      })) {
    failure_ = "no null sink";
    return false;
  }
  return true;
}

}  // namespace orvana::testing
