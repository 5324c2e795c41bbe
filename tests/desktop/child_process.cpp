#include "child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace orvana::testing {
namespace {

using Clock = std::chrono::steady_clock;

std::vector<char*> Pointers(const std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (const std::string& text : texts) pointers.push_back(const_cast<char*>(text.c_str()));
  pointers.push_back(nullptr);
  return pointers;
}

// In the child: its own process group, so that nothing it starts outlives
// the test unnoticed, and output where the test wants it.
[[noreturn]] void ExecChild(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
                            int outputFd, int passFd = -1, const std::string& folder = "") {
  ::setpgid(0, 0);
  if (!folder.empty() && ::chdir(folder.c_str()) != 0) ::_exit(126);
  if (passFd == 3) ::fcntl(3, F_SETFD, 0);
  if (passFd >= 0 && passFd != 3) ::dup2(passFd, 3);
  const int nullFd = ::open("/dev/null", O_RDWR);
  ::dup2(nullFd, 0);
  ::dup2(outputFd >= 0 ? outputFd : nullFd, 1);
  ::dup2(outputFd >= 0 ? outputFd : nullFd, 2);
  std::vector<char*> args = Pointers(argv);
  std::vector<char*> env = Pointers(environment);
  ::execvpe(args[0], args.data(), env.data());
  ::_exit(127);
}

}  // namespace

TChildProcess::TChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
                             const std::string& logPath, int passFd) {
  const int logFd = logPath.empty() ? -1 : ::open(logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
  pid_ = ::fork();
  if (pid_ == 0) ExecChild(argv, environment, logFd, passFd);
  if (logFd >= 0) ::close(logFd);
}

TChildProcess::~TChildProcess() {
  if (pid_ > 0 && !reaped_) Kill();
}

bool TChildProcess::Running() {
  if (pid_ <= 0 || reaped_) return false;
  if (::waitpid(pid_, &status_, WNOHANG) == pid_) reaped_ = true;
  return !reaped_;
}

bool TChildProcess::WaitForExit(int timeoutMs, int* status) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  while (Running()) {
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  if (status != nullptr) *status = WIFEXITED(status_) ? WEXITSTATUS(status_) : -1;
  return pid_ > 0;
}

void TChildProcess::Signal(int signal) {
  if (Running()) ::kill(pid_, signal);
}

void TChildProcess::Kill() {
  Signal(SIGKILL);
  if (pid_ > 0 && !reaped_ && ::waitpid(pid_, &status_, 0) == pid_) reaped_ = true;
}

TCommandResult RunCommand(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
                          int timeoutMs, const std::string& folder) {
  TCommandResult result;
  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC) != 0) return result;
  const pid_t pid = ::fork();
  if (pid == 0) ExecChild(argv, environment, pipeFds[1], -1, folder);
  ::close(pipeFds[1]);
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  char buffer[4096];
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) break;
    pollfd poller{pipeFds[0], POLLIN, 0};
    if (::poll(&poller, 1, int(left)) <= 0) continue;
    const ssize_t got = ::read(pipeFds[0], buffer, sizeof buffer);
    if (got <= 0) break;
    result.output.append(buffer, std::size_t(got));
  }
  ::close(pipeFds[0]);
  int status = 0;
  while (::waitpid(pid, &status, WNOHANG) != pid) {
    if (Clock::now() >= deadline) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, &status, 0);
      return result;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

std::string ReadFirstLine(int fd, int timeoutMs) {
  std::string text;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  char buffer[256];
  while (text.find('\n') == std::string::npos) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return {};
    pollfd poller{fd, POLLIN, 0};
    if (::poll(&poller, 1, int(left)) <= 0) continue;
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got <= 0) return {};
    text.append(buffer, std::size_t(got));
  }
  return text.substr(0, text.find('\n'));
}

}  // namespace orvana::testing
