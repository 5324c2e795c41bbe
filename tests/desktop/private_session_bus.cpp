#include "private_session_bus.h"

#include <fcntl.h>
#include <unistd.h>

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

std::vector<std::string> DaemonEnvironment(const TFreshFolder& folder) {
  std::vector<std::string> environment = folder.Environment();
  environment.push_back("PATH=/usr/bin:/bin");
  return environment;
}

}  // namespace

TPrivateSessionBus::TPrivateSessionBus() {
  if (folder_.Path().empty()) return;
  const std::string configPath = folder_.Path() + "/session.conf";
  std::ofstream(configPath) << Configuration(folder_.Path() + "/runtime/bus");
  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC) != 0) return;
  // Not forked into the background: the daemon stays our child, so that it
  // is ended and reaped by its own pid.
  daemon_ = std::make_unique<TChildProcess>(
      std::vector<std::string>{"dbus-daemon", "--config-file=" + configPath, "--nofork", "--nopidfile",
                               "--print-address=3"},
      DaemonEnvironment(folder_),
      folder_.Path() + "/dbus-daemon.log", pipeFds[1]);
  ::close(pipeFds[1]);
  address_ = ReadFirstLine(pipeFds[0], kStartMs);
  ::close(pipeFds[0]);
  if (address_.empty()) daemon_.reset();
}

TPrivateSessionBus::~TPrivateSessionBus() {
  daemon_.reset();
}

std::vector<std::string> TPrivateSessionBus::Environment() const {
  std::vector<std::string> environment = folder_.Environment();
  environment.insert(environment.end(), {"PATH=/usr/local/bin:/usr/bin:/bin", "DBUS_SESSION_BUS_ADDRESS=" + address_});
  return environment;
}

}  // namespace orvana::testing
