#include "hostile_http_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <list>
#include <memory>
#include <vector>

namespace orvana::testing {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::size_t kMaxRequestBytes = 16 * 1024;
constexpr std::size_t kMaxConnections = 32;
constexpr std::size_t kPieceBytes = 16 * 1024;

std::string PathOf(const std::string& request) {
  // "GET /path HTTP/1.1"
  const std::size_t start = request.find(' ');
  if (start == std::string::npos) return {};
  const std::size_t end = request.find(' ', start + 1);
  return request.substr(start + 1, end == std::string::npos ? std::string::npos : end - start - 1);
}

}  // namespace

struct THostileHttpServer::TConnection {
  int fd = -1;
  std::string request{};
  bool replying = false;
  std::string path{};
  THostileReply reply{};
  std::string pending{};  // the piece being sent
  std::size_t pendingAt = 0;
  bool moreEnded = false;
  std::int64_t sent = 0;
  Clock::time_point started{};

  TConnection() = default;
  TConnection(const TConnection&) = delete;
  TConnection& operator=(const TConnection&) = delete;
  ~TConnection() {
    if (fd >= 0) ::close(fd);
  }
  bool Finished() const { return pendingAt == pending.size() && (!reply.more || moreEnded); }
  bool Dropping() const { return reply.dropAfter >= 0 && sent >= reply.dropAfter; }
  // Bytes the pace allows now.
  std::int64_t Budget(Clock::time_point now) const {
    std::int64_t budget = INT64_MAX;
    if (reply.bytesPerSecond > 0) {
      const auto elapsedMs = std::chrono::duration_cast<std::chrono::milliseconds>(now - started).count();
      budget = elapsedMs * reply.bytesPerSecond / 1000 + 1 - sent;
    }
    if (reply.dropAfter >= 0) budget = std::min(budget, reply.dropAfter - sent);
    return std::max<std::int64_t>(budget, 0);
  }
  // When the pace allows the next byte.
  Clock::time_point NextByteAt() const {
    return started + std::chrono::milliseconds(sent * 1000 / std::max(reply.bytesPerSecond, 1));
  }
};

THostileHttpServer::THostileHttpServer() {
  listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(listener_, 16) != 0 || ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
    return;
  port_ = ntohs(address.sin_port);
  wake_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  thread_ = std::thread([this] { Serve(); });
}

THostileHttpServer::~THostileHttpServer() {
  if (wake_ >= 0) {
    const std::uint64_t one = 1;
    (void)!::write(wake_, &one, sizeof one);
  }
  if (thread_.joinable()) thread_.join();
  if (wake_ >= 0) ::close(wake_);
  if (listener_ >= 0) ::close(listener_);
}

std::string THostileHttpServer::Url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + path;
}

void THostileHttpServer::Answer(const std::string& path, TScript script) {
  std::lock_guard guard(lock_);
  paths_[path].script = std::move(script);
}

void THostileHttpServer::AnswerAlways(const std::string& path, THostileReply reply) {
  Answer(path, [reply](int) { return reply; });
}

int THostileHttpServer::Requests(const std::string& path) const {
  std::lock_guard guard(lock_);
  const auto found = paths_.find(path);
  return found == paths_.end() ? 0 : found->second.requests;
}

std::string THostileHttpServer::LastRequest(const std::string& path) const {
  std::lock_guard guard(lock_);
  const auto found = paths_.find(path);
  return found == paths_.end() ? std::string() : found->second.lastRequest;
}

std::int64_t THostileHttpServer::Sent(const std::string& path) const {
  std::lock_guard guard(lock_);
  const auto found = paths_.find(path);
  return found == paths_.end() ? 0 : found->second.sent;
}

THostileReply THostileHttpServer::ReplyFor(const std::string& path, const std::string& request) {
  TScript script;
  int connection;
  {
    std::lock_guard guard(lock_);
    TPathLog& log = paths_[path];
    connection = log.requests++;
    log.lastRequest = request;
    script = log.script;
  }
  if (script) return script(connection);
  return {.head = "HTTP/1.0 404 Not Found\r\nContent-Type: text/plain\r\n\r\nnothing here\n"};
}

void THostileHttpServer::CountSent(const std::string& path, std::int64_t bytes) {
  std::lock_guard guard(lock_);
  paths_[path].sent += bytes;
}

void THostileHttpServer::Serve() {
  std::list<std::unique_ptr<TConnection>> connections;
  for (;;) {
    const Clock::time_point now = Clock::now();
    std::vector<pollfd> polled = {{wake_, POLLIN, 0}, {listener_, POLLIN, 0}};
    int timeoutMs = -1;
    for (const auto& connection : connections) {
      short events = POLLIN;
      if (connection->replying && !connection->Finished() && !connection->Dropping()) {
        if (connection->Budget(now) > 0) {
          events |= POLLOUT;
        } else {
          const auto wait = std::chrono::ceil<std::chrono::milliseconds>(connection->NextByteAt() - now).count();
          timeoutMs = static_cast<int>(std::clamp<std::int64_t>(wait, 1, timeoutMs < 0 ? INT_MAX : timeoutMs));
        }
      }
      polled.push_back({connection->fd, events, 0});
    }
    if (::poll(polled.data(), polled.size(), timeoutMs) < 0 && errno != EINTR) return;
    if (polled[0].revents != 0) return;
    auto entry = polled.begin() + 2;
    for (auto it = connections.begin(); it != connections.end(); ++entry) {
      TConnection& connection = **it;
      bool close = false;
      if (entry->revents & (POLLIN | POLLHUP | POLLERR)) {
        char buffer[4096];
        const ssize_t got = ::recv(connection.fd, buffer, sizeof buffer, 0);
        if (got == 0 || (got < 0 && errno != EAGAIN && errno != EINTR)) close = true;
        if (got > 0 && !connection.replying) {
          connection.request.append(buffer, std::size_t(got));
          const std::size_t end = connection.request.find("\r\n\r\n");
          if (end != std::string::npos) {
            connection.request.resize(end);
            connection.path = PathOf(connection.request);
            connection.reply = ReplyFor(connection.path, connection.request);
            connection.pending = connection.reply.head;
            connection.replying = true;
            connection.started = Clock::now();
          } else if (connection.request.size() > kMaxRequestBytes) {
            close = true;
          }
        }
      }
      if (!close && connection.replying && (entry->revents & POLLOUT)) {
        std::int64_t budget = connection.Budget(Clock::now());
        while (budget > 0 && !connection.Finished()) {
          if (connection.pendingAt == connection.pending.size()) {
            connection.pending = connection.reply.more(kPieceBytes);
            connection.pendingAt = 0;
            connection.moreEnded = connection.pending.empty();
            continue;
          }
          const std::size_t piece =
              std::min<std::size_t>(connection.pending.size() - connection.pendingAt, std::size_t(budget));
          const ssize_t put = ::send(connection.fd, connection.pending.data() + connection.pendingAt, piece,
                                     MSG_NOSIGNAL);
          if (put <= 0) {
            close = put < 0 && errno != EAGAIN && errno != EINTR;
            break;
          }
          connection.pendingAt += std::size_t(put);
          connection.sent += put;
          budget -= put;
          CountSent(connection.path, put);
        }
      }
      if (connection.replying && (connection.Dropping() || (connection.Finished() && !connection.reply.holdOpen)))
        close = true;
      it = close ? connections.erase(it) : std::next(it);
    }
    if (polled[1].revents & POLLIN) {
      const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
      if (fd >= 0 && connections.size() >= kMaxConnections) ::close(fd);
      else if (fd >= 0) connections.emplace_back(new TConnection)->fd = fd;
    }
  }
}

}  // namespace orvana::testing
