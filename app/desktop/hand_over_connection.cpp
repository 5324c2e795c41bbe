#include "app/desktop/hand_over_connection.h"

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace orvana::app {
namespace {

// Small enough to keep each wake-up short, so one client cannot hold the loop.
constexpr std::size_t kReadChunk = 16 * 1024;
constexpr int kMaxChunksPerRead = 16;

bool IsSameUser(int fd) {
  ucred peer{};
  socklen_t length = sizeof peer;
  return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &length) == 0 && peer.uid == ::getuid();
}

}  // namespace

TUniqueFd AcceptSameUserClient(int listenFd) {
  for (;;) {
    TUniqueFd client(::accept4(listenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
    if (!client) {
      // A client that gave up before being accepted does not end the queue.
      if (errno == ECONNABORTED || errno == EINTR) continue;
      return client;
    }
    if (IsSameUser(client.Get())) return client;
  }
}

THandOverConnection::TProgress THandOverConnection::ReadAvailable() {
  char buffer[kReadChunk];
  for (int chunk = 0; chunk < kMaxChunksPerRead; ++chunk) {
    const ssize_t count = ::recv(client_.Get(), buffer, sizeof buffer, 0);
    if (count > 0) {
      const auto state = decoder_.Feed({buffer, static_cast<std::size_t>(count)});
      if (state == THandOverDecoder::TState::kMalformed) return TProgress::kDropped;
      // A complete message is taken at once; the client now waits for the answer.
      if (state == THandOverDecoder::TState::kComplete) return TProgress::kComplete;
    } else if (count == 0) {
      return TProgress::kDropped;
    } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
      return TProgress::kWaiting;
    } else if (errno != EINTR) {
      return TProgress::kDropped;
    }
  }
  return TProgress::kWaiting;
}

void THandOverConnection::AcknowledgeAndClose() {
  // The client sent everything and waits, so its receive buffer has room:
  // one byte never blocks. A client that left meanwhile costs nothing.
  const char answer = kHandOverAcknowledgement;
  [[maybe_unused]] const ssize_t sent = ::send(client_.Get(), &answer, 1, MSG_NOSIGNAL);
  client_.Reset();
}

}  // namespace orvana::app
