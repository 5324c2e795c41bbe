#include "cli/interrupt_signal.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <system_error>

namespace orvana::cli {
namespace {

int gPipe[2] = {-1, -1};
struct sigaction gPreviousInt {};
struct sigaction gPreviousTerm {};

void OnSignal(int) {
  const int saved = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(gPipe[1], &byte, 1);
  errno = saved;
}

}  // namespace

InterruptSignal::InterruptSignal() {
  if (::pipe2(gPipe, O_CLOEXEC | O_NONBLOCK) != 0) throw std::system_error(errno, std::generic_category(), "pipe");
  struct sigaction action {};
  action.sa_handler = &OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  ::sigaction(SIGINT, &action, &gPreviousInt);
  ::sigaction(SIGTERM, &action, &gPreviousTerm);
}

InterruptSignal::~InterruptSignal() {
  ::sigaction(SIGINT, &gPreviousInt, nullptr);
  ::sigaction(SIGTERM, &gPreviousTerm, nullptr);
  ::close(gPipe[0]);
  ::close(gPipe[1]);
  gPipe[0] = gPipe[1] = -1;
}

int InterruptSignal::Fd() const { return gPipe[0]; }

bool InterruptSignal::Raised() const {
  pollfd watched{gPipe[0], POLLIN, 0};
  return ::poll(&watched, 1, 0) == 1;
}

}  // namespace orvana::cli
