#include "icecast_server.h"

#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "child_process.h"
#include "loopback_socket.h"

namespace orvana::testing {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr const char* kIcecast = "/usr/bin/icecast2";
constexpr auto kStartLimit = std::chrono::seconds(15);
constexpr auto kStopLimitMs = 5000;
constexpr int kPortTries = 3;

// Icecast refuses to run as root; it may change to this user, who must be
// able to write its logs.
constexpr const char* kServerUser = "nobody";

std::string GroupOf(const passwd& user) {
  const group* found = ::getgrgid(user.pw_gid);
  return found != nullptr ? found->gr_name : "nogroup";
}

}  // namespace

TIcecastServer::TIcecastServer() {
  std::string pattern = (fs::temp_directory_path() / "orvana-icecast-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    failure_ = "cannot make a temporary folder";
    return;
  }
  dir_ = pattern;
  for (int attempt = 0; attempt < kPortTries && !Running(); ++attempt) {
    port_ = FreeLoopbackPort();
    if (!WriteConfig()) return;
    StartProcess();
  }
}

TIcecastServer::~TIcecastServer() {
  Stop();
  std::error_code ignored;
  if (!dir_.empty()) fs::remove_all(dir_, ignored);
}

std::string TIcecastServer::Url(const std::string& mount) const {
  return "http://127.0.0.1:" + std::to_string(port_) + mount;
}

pid_t TIcecastServer::Pid() const { return process_ ? process_->Pid() : -1; }

bool TIcecastServer::WriteConfig() {
  std::string security = "<chroot>0</chroot>";
  if (::geteuid() == 0) {
    const passwd* user = ::getpwnam(kServerUser);
    if (user == nullptr || ::chown(dir_.c_str(), user->pw_uid, user->pw_gid) != 0) {
      failure_ = std::string("cannot hand the folder to the user ") + kServerUser;
      return false;
    }
    security += "<changeowner><user>" + std::string(kServerUser) + "</user><group>" + GroupOf(*user) +
                "</group></changeowner>";
  }
  std::ofstream config(dir_ / "icecast.xml");
  config << "<icecast>\n"
         << "  <location>loopback</location><admin>test@localhost</admin>\n"
         << "  <limits><clients>32</clients><sources>4</sources><queue-size>524288</queue-size>"
         << "<client-timeout>30</client-timeout><header-timeout>15</header-timeout>"
         << "<source-timeout>10</source-timeout><burst-on-connect>1</burst-on-connect>"
         << "<burst-size>65535</burst-size></limits>\n"
         << "  <authentication><source-password>" << kSourcePassword << "</source-password>"
         << "<admin-user>" << kAdminUser << "</admin-user><admin-password>" << kAdminPassword
         << "</admin-password></authentication>\n"
         << "  <hostname>127.0.0.1</hostname>\n"
         << "  <listen-socket><port>" << port_ << "</port><bind-address>127.0.0.1</bind-address></listen-socket>\n"
         << "  <fileserve>1</fileserve>\n"
         << "  <paths><basedir>" << dir_.string() << "</basedir><logdir>" << dir_.string() << "</logdir>"
         << "<webroot>/usr/share/icecast2/web</webroot><adminroot>/usr/share/icecast2/admin</adminroot></paths>\n"
         << "  <logging><accesslog>access.log</accesslog><errorlog>error.log</errorlog>"
         << "<loglevel>3</loglevel></logging>\n"
         << "  <security>" << security << "</security>\n"
         << "</icecast>\n";
  return bool(config);
}

bool TIcecastServer::StartProcess() {
  failure_.clear();
  const char* path = std::getenv("PATH");
  process_ = std::make_unique<TChildProcess>(
      std::vector<std::string>{kIcecast, "-c", (dir_ / "icecast.xml").string()},
      std::vector<std::string>{"HOME=" + dir_.string(), std::string("PATH=") + (path ? path : "/usr/bin:/bin")},
      (dir_ / "icecast.out").string());
  const auto deadline = Clock::now() + kStartLimit;
  while (!LoopbackPortAnswers(port_)) {
    if (!process_->Running()) {
      failure_ = "icecast2 ended at start:\n" + Log();
      process_.reset();
      return false;
    }
    if (Clock::now() > deadline) {
      failure_ = "icecast2 did not open its port in time:\n" + Log();
      process_.reset();
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

void TIcecastServer::Kill() { process_.reset(); }

bool TIcecastServer::Restart() {
  Stop();
  return StartProcess();
}

void TIcecastServer::Stop() {
  if (!process_) return;
  process_->Signal(SIGTERM);
  if (!process_->WaitForExit(kStopLimitMs)) process_->Kill();
  process_.reset();
}

std::string TIcecastServer::Log() const {
  std::stringstream text;
  for (const char* name : {"icecast.out", "error.log"}) {
    std::ifstream in(dir_ / name);
    text << in.rdbuf();
  }
  return text.str();
}

}  // namespace orvana::testing
