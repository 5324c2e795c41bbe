#include "private_session_bus.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace orvana::testing {
namespace {

constexpr int kStartMs = 5000;

// A session bus without service directories: nothing a program asks for is
// started behind the test's back, so the daemon is the only process to end.
std::string Configuration(const std::string& socketPath) {
  return "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
         " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
         "<busconfig>\n"
         "  <type>session</type>\n"
         "  <listen>unix:path=" + socketPath + "</listen>\n"
         "  <auth>EXTERNAL</auth>\n"
         "  <policy context=\"default\">\n"
         "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
         "    <allow eavesdrop=\"true\"/>\n"
         "    <allow own=\"*\"/>\n"
         "  </policy>\n"
         "</busconfig>\n";
}

}  // namespace

TPrivateSessionBus::TPrivateSessionBus() {
  char folder[] = "/tmp/orvana-bus-XXXXXX";
  if (::mkdtemp(folder) == nullptr) return;
  root_ = folder;
  for (const char* sub : {"/home", "/config", "/runtime"}) ::mkdir((root_ + sub).c_str(), 0700);
  const std::string configPath = root_ + "/session.conf";
  std::ofstream(configPath) << Configuration(root_ + "/runtime/bus");
  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC) != 0) return;
  // Not forked into the background: the daemon stays our child, so that it
  // is ended and reaped by its own pid.
  daemon_ = std::make_unique<TChildProcess>(
      std::vector<std::string>{"dbus-daemon", "--config-file=" + configPath, "--nofork", "--nopidfile",
                               "--print-address=3"},
      std::vector<std::string>{"PATH=/usr/bin:/bin", "HOME=" + root_ + "/home",
                               "XDG_CONFIG_HOME=" + root_ + "/config", "XDG_RUNTIME_DIR=" + root_ + "/runtime"},
      root_ + "/dbus-daemon.log", pipeFds[1]);
  ::close(pipeFds[1]);
  address_ = ReadFirstLine(pipeFds[0], kStartMs);
  ::close(pipeFds[0]);
  if (address_.empty()) daemon_.reset();
}

TPrivateSessionBus::~TPrivateSessionBus() {
  daemon_.reset();
  if (!root_.empty()) {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
}

std::vector<std::string> TPrivateSessionBus::Environment() const {
  return {"PATH=/usr/local/bin:/usr/bin:/bin",
          "HOME=" + root_ + "/home",
          "XDG_CONFIG_HOME=" + root_ + "/config",
          "XDG_RUNTIME_DIR=" + root_ + "/runtime",
          "DBUS_SESSION_BUS_ADDRESS=" + address_};
}

}  // namespace orvana::testing
