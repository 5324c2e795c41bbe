#include "app/desktop/termination_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace orvana::app {
namespace {

constexpr int kTerminationSignals[] = {SIGTERM, SIGINT, SIGHUP};

std::atomic<bool> installed{false};

struct TSignalPipe {
  int read = -1;
  int write = -1;
};

// Made once and kept for the process's life: a handler still running on some
// other thread while the object goes away never writes to a reused number.
const TSignalPipe& SignalPipe() {
  static const TSignalPipe pipe = [] {
    int fds[2];
    if (::pipe2(fds, O_NONBLOCK | O_CLOEXEC) != 0)
      throw std::logic_error(std::string("termination signal pipe: ") + std::strerror(errno));
    return TSignalPipe{fds[0], fds[1]};
  }();
  return pipe;
}

std::atomic<int> handlerWriteFd{-1};

void OnTerminationSignal(int) {
  const int savedErrno = errno;
  const char byte = 1;
  // A full pipe already says that a signal came.
  [[maybe_unused]] const ssize_t written = ::write(handlerWriteFd.load(std::memory_order_relaxed), &byte, 1);
  errno = savedErrno;
}

void DrainPipe(int fd) {
  char buffer[64];
  while (::read(fd, buffer, sizeof buffer) > 0) {
  }
}

}  // namespace

TTerminationSignals::TTerminationSignals(QObject* parent) : QObject(parent) {
  if (installed.exchange(true)) throw std::logic_error("termination signals are already taken");
  const TSignalPipe* pipe = nullptr;
  try {
    pipe = &SignalPipe();
  } catch (...) {
    installed = false;
    throw;
  }
  DrainPipe(pipe->read);  // what an earlier object left unread is not ours
  handlerWriteFd.store(pipe->write);
  notifier_ = new QSocketNotifier(pipe->read, QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &TTerminationSignals::TakeSignals);

  struct sigaction action {};
  action.sa_handler = OnTerminationSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (std::size_t i = 0; i < std::size(kTerminationSignals); ++i)
    ::sigaction(kTerminationSignals[i], &action, &previous_[i]);
}

TTerminationSignals::~TTerminationSignals() {
  for (std::size_t i = 0; i < std::size(kTerminationSignals); ++i)
    ::sigaction(kTerminationSignals[i], &previous_[i], nullptr);
  installed = false;
}

void TTerminationSignals::TakeSignals() {
  DrainPipe(SignalPipe().read);
  if (requested_) return;
  requested_ = true;
  emit terminationRequested();
}

}  // namespace orvana::app
