#include "loopback_socket.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>

namespace orvana::testing {
namespace {

using Clock = std::chrono::steady_clock;

sockaddr_in LoopbackAddress(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  return address;
}

int MillisecondsLeft(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

// Waits for `events` on fd until the deadline.
bool Await(int fd, short events, Clock::time_point deadline) {
  for (;;) {
    pollfd poller{fd, events, 0};
    const int ready = ::poll(&poller, 1, MillisecondsLeft(deadline));
    if (ready > 0) return true;
    if (ready == 0 || errno != EINTR) return false;
  }
}

}  // namespace

int FreeLoopbackPort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address = LoopbackAddress(0);
  socklen_t length = sizeof address;
  int port = 0;
  if (fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
    port = ntohs(address.sin_port);
  if (fd >= 0) ::close(fd);
  return port;
}

bool LoopbackPortAnswers(int port) {
  const int fd = ConnectLoopback(port, 1000);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

int ConnectLoopback(int port, int timeoutMs) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  const sockaddr_in address = LoopbackAddress(port);
  if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    int error = errno;
    if (error == EINPROGRESS && Await(fd, POLLOUT, deadline)) {
      socklen_t length = sizeof error;
      ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length);
    }
    if (error != 0) {
      ::close(fd);
      return -1;
    }
  }
  return fd;
}

bool SendAll(int fd, std::string_view bytes, int timeoutMs) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!bytes.empty()) {
    const ssize_t put = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (put > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(put));
    } else if (put < 0 && (errno == EAGAIN || errno == EINTR)) {
      if (!Await(fd, POLLOUT, deadline)) return false;
    } else {
      return false;
    }
  }
  return true;
}

std::string ReceiveHead(int fd, int timeoutMs) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  std::string head;
  // A byte at a time: what follows the head belongs to the caller.
  while (head.size() < 16384) {
    if (head.ends_with("\r\n\r\n")) return head.substr(0, head.size() - 4);
    char c;
    const ssize_t got = ::recv(fd, &c, 1, 0);
    if (got == 1) {
      head += c;
    } else if (got < 0 && (errno == EAGAIN || errno == EINTR)) {
      if (!Await(fd, POLLIN, deadline)) return {};
    } else {
      return {};
    }
  }
  return {};
}

int StatusOfHead(std::string_view head) {
  const std::size_t space = head.find(' ');
  int status = 0;
  if (space != std::string_view::npos && std::sscanf(std::string(head.substr(space + 1, 3)).c_str(), "%d", &status) != 1)
    status = 0;
  return status;
}

std::string Base64(std::string_view bytes) {
  static constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  for (std::size_t at = 0; at < bytes.size(); at += 3) {
    std::uint32_t group = std::uint32_t(std::uint8_t(bytes[at])) << 16;
    if (at + 1 < bytes.size()) group |= std::uint32_t(std::uint8_t(bytes[at + 1])) << 8;
    if (at + 2 < bytes.size()) group |= std::uint8_t(bytes[at + 2]);
    out += kDigits[(group >> 18) & 63];
    out += kDigits[(group >> 12) & 63];
    out += at + 1 < bytes.size() ? kDigits[(group >> 6) & 63] : '=';
    out += at + 2 < bytes.size() ? kDigits[group & 63] : '=';
  }
  return out;
}

std::string UrlEncoded(std::string_view text) {
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (std::isalnum(byte) || c == '-' || c == '.' || c == '_' || c == '~') {
      out += c;
    } else {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
      out += escaped;
    }
  }
  return out;
}

}  // namespace orvana::testing
