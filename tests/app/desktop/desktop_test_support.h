#pragma once
// What the desktop tests share: a private folder each, waiting on the Qt loop
// with a bound, and forked processes that end by their pid.
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <filesystem>
#include <functional>
#include <string>

namespace orvana::app::testing {

// A fresh folder under /tmp (short, so socket names fit), removed afterwards.
class TPrivateFolder {
 public:
  TPrivateFolder() {
    char name[] = "/tmp/orvana-desktop-XXXXXX";
    if (::mkdtemp(name) != nullptr) path_ = name;
  }
  ~TPrivateFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  TPrivateFolder(const TPrivateFolder&) = delete;
  TPrivateFolder& operator=(const TPrivateFolder&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// Runs the loop until done() holds or timeoutMs passes; true when it held.
inline bool SpinUntil(const std::function<bool()>& done, int timeoutMs) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > timeoutMs) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    ::usleep(1000);
  }
  return true;
}

// A forked child running body(); killed by its pid and reaped when the owner goes.
class TChildProcess {
 public:
  explicit TChildProcess(const std::function<int()>& body) {
    pid_ = ::fork();
    if (pid_ == 0) ::_exit(body());
  }
  ~TChildProcess() { Kill(); }
  TChildProcess(const TChildProcess&) = delete;
  TChildProcess& operator=(const TChildProcess&) = delete;
  pid_t Pid() const { return pid_; }
  void Kill() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

 private:
  pid_t pid_ = -1;
};

}  // namespace orvana::app::testing
