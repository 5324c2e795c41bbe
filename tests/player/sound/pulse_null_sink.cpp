#include "pulse_null_sink.h"

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

namespace orvana::player::testing {
namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;

constexpr auto kStartLimit = std::chrono::seconds(15);
constexpr auto kStopLimit = std::chrono::seconds(5);

bool Exited(pid_t pid, int& status) { return ::waitpid(pid, &status, WNOHANG) == pid; }

bool Answers(const std::string& socketPath) {
  const int probe = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (probe < 0) return false;
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
  const bool connected = ::connect(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  ::close(probe);
  return connected;
}

}  // namespace

PulseNullSink::PulseNullSink() {
  if (!Start()) Stop();
}

PulseNullSink::~PulseNullSink() { Stop(); }

bool PulseNullSink::Start() {
  std::string pattern = (fs::temp_directory_path() / "orvana-pulse-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    failure_ = "cannot make a temporary folder";
    return false;
  }
  dir_ = pattern;
  fs::create_directories(dir_ / "run");
  fs::permissions(dir_ / "run", fs::perms::owner_all);
  const std::string alsaConfig = (dir_ / "asound.conf").string();
  std::ofstream(alsaConfig) << "pcm.!default { type pulse server \"" << Server() << "\" }\n"
                            << "ctl.!default { type pulse server \"" << Server() << "\" }\n";
  if (!StartDaemon()) return false;
  ::setenv("ALSA_CONFIG_PATH", alsaConfig.c_str(), 1);
  ::setenv("PULSE_SERVER", Server().c_str(), 1);
  return true;
}

bool PulseNullSink::StartDaemon() {
  const std::string socket = Socket();
  std::error_code ignored;
  fs::remove(socket, ignored);  // left behind by a killed daemon
  // Everything the child needs is prepared before fork: after it only exec.
  // Without norewinds the null sink renders far ahead when a stream starts
  // and then stalls it for over a second, which no real device does.
  std::vector<std::string> args = {"pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1",
                                   "--use-pid-file=no", "--system=no", "--realtime=no", "--high-priority=no",
                                   "--log-target=stderr", "-L",
                                   std::string("module-null-sink norewinds=1 sink_name=") + kSinkName, "-L",
                                   "module-native-protocol-unix auth-anonymous=1 socket=" + socket};
  const char* path = std::getenv("PATH");
  std::vector<std::string> env = {"HOME=" + dir_.string(), "XDG_RUNTIME_DIR=" + (dir_ / "run").string(),
                                  "XDG_CONFIG_HOME=" + (dir_ / "config").string(),
                                  std::string("PATH=") + (path ? path : "/usr/bin:/bin")};
  std::vector<char*> argv, envp;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  for (auto& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  const std::string logPath = (dir_ / "pulse.log").string();
  const pid_t parent = ::getpid();

  pid_ = ::fork();
  if (pid_ < 0) {
    failure_ = "fork failed";
    return false;
  }
  if (pid_ == 0) {
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != parent) ::_exit(127);
    const int log = ::open(logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    if (log >= 0) {
      ::dup2(log, STDOUT_FILENO);
      ::dup2(log, STDERR_FILENO);
    }
    ::execvpe(argv[0], argv.data(), envp.data());
    ::_exit(127);
  }

  const auto deadline = std::chrono::steady_clock::now() + kStartLimit;
  // The socket is there once bound, and answers once the daemon listens.
  while (!Answers(socket)) {
    int status = 0;
    if (Exited(pid_, status)) {
      pid_ = -1;
      failure_ = "pulseaudio ended at start (status " + std::to_string(status) + "):\n" + Log();
      return false;
    }
    if (std::chrono::steady_clock::now() > deadline) {
      failure_ = "pulseaudio did not open its socket in time:\n" + Log();
      return false;
    }
    std::this_thread::sleep_for(milliseconds(20));
  }
  return true;
}

void PulseNullSink::Kill() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGKILL);
  int status = 0;
  ::waitpid(pid_, &status, 0);
  pid_ = -1;
}

bool PulseNullSink::Restart() {
  StopDaemon();
  failure_.clear();
  return StartDaemon();
}

void PulseNullSink::StopDaemon() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGTERM);
  int status = 0;
  const auto deadline = std::chrono::steady_clock::now() + kStopLimit;
  while (!Exited(pid_, status)) {
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, &status, 0);
      break;
    }
    std::this_thread::sleep_for(milliseconds(20));
  }
  pid_ = -1;
}

void PulseNullSink::Stop() {
  StopDaemon();
  ::unsetenv("ALSA_CONFIG_PATH");
  ::unsetenv("PULSE_SERVER");
  if (!dir_.empty()) {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
    dir_.clear();
  }
}

std::string PulseNullSink::Log() const {
  std::ifstream in(dir_ / "pulse.log");
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace orvana::player::testing
