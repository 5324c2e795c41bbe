#include "monitor_recording.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <thread>

namespace orvana::testing {
namespace {

constexpr int kFrameBytes = 4;
constexpr int kStartLimitMs = 10000;
constexpr int kPollMs = 5;

std::int64_t FileSize(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 ? info.st_size : 0;
}

}  // namespace

TMonitorRecording::TMonitorRecording(const std::string& server, const std::string& monitor, int rate)
    : path_("/tmp/orvana-monitor-" + std::to_string(::getpid()) + "-" +
            std::to_string(reinterpret_cast<std::uintptr_t>(this)) + ".raw"),
      rate_(rate) {
  const std::string serverArgument = "--server=" + server;
  const std::string device = "--device=" + monitor;
  const std::string rateArgument = "--rate=" + std::to_string(rate);
  const pid_t parent = ::getpid();
  pid_ = ::fork();
  if (pid_ == 0) {
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != parent) ::_exit(127);
    const int out = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (out < 0) ::_exit(127);
    ::dup2(out, STDOUT_FILENO);
    ::execlp("parecord", "parecord", serverArgument.c_str(), device.c_str(), "--latency-msec=10", "--raw",
             "--format=s16le", rateArgument.c_str(), "--channels=2", static_cast<char*>(nullptr));
    ::_exit(127);
  }
  // A null sink's monitor delivers silence while nothing plays: sound
  // arriving means the recording runs.
  started_ = pid_ > 0 && WaitForMore(1, kStartLimitMs);
}

TMonitorRecording::~TMonitorRecording() {
  Stop();
  std::remove(path_.c_str());
}

std::int64_t TMonitorRecording::Frames() const { return FileSize(path_) / kFrameBytes; }

bool TMonitorRecording::WaitForMore(std::int64_t frames, int timeoutMs) {
  const std::int64_t wanted = Frames() + frames;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (Frames() < wanted) {
    if (pid_ > 0 && ::waitpid(pid_, nullptr, WNOHANG) == pid_) pid_ = -1;  // parecord gave up
    if (std::chrono::steady_clock::now() >= deadline || pid_ <= 0) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
  }
  return true;
}

std::string TMonitorRecording::SamplesSoFar(std::int64_t from) const {
  std::ifstream in(path_, std::ios::binary);
  in.seekg(from * kFrameBytes);
  std::string samples((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  samples.resize(samples.size() / kFrameBytes * kFrameBytes);
  return samples;
}

std::string TMonitorRecording::Stop() {
  if (!stopped_) {
    stopped_ = true;
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      ::waitpid(pid_, nullptr, 0);
      pid_ = -1;
    }
    samples_ = SamplesSoFar();
  }
  return samples_;
}

}  // namespace orvana::testing
