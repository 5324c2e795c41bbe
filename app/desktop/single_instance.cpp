#include "app/desktop/single_instance.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <thread>

#include "app/desktop/hand_over_message.h"

namespace orvana::app {
namespace {

using TClock = std::chrono::steady_clock;

constexpr int kListenBacklog = 64;
// How long a start that lost the lock waits between tries to connect while
// the winner is still setting up its socket.
constexpr auto kConnectRetryPause = std::chrono::milliseconds(5);

std::string SystemError(const std::string& what, int error) { return what + ": " + std::strerror(error); }

// The same folder spelled differently ("/a/b/", "/a/./b", a link to it) is
// the same instance.
std::string InstanceKey(const std::string& filesFolder) {
  std::error_code error;
  std::filesystem::path folder = std::filesystem::absolute(filesFolder, error);
  if (error) folder = filesFolder;
  std::filesystem::path resolved = std::filesystem::weakly_canonical(folder, error);
  std::string key = (error ? folder.lexically_normal() : resolved).string();
  if (key.size() > 1 && key.back() == '/') key.pop_back();
  return key;
}

// FNV-1a: short, stable names; the folder is private, so collisions need not resist an attacker.
std::string KeyHash(const std::string& key) {
  uint64_t hash = 0xcbf29ce484222325ULL;
  for (const unsigned char c : key) {
    hash ^= c;
    hash *= 0x100000001b3ULL;
  }
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
  return text;
}

bool SocketAddress(const std::string& path, sockaddr_un& address) {
  address = {};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  return true;
}

// The lock holder owns the socket name: whatever a dead holder left there goes.
TUniqueFd Listen(const std::string& path, std::string& problem) {
  sockaddr_un address;
  if (!SocketAddress(path, address)) {
    problem = path + ": name too long for a socket";
    return {};
  }
  TUniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
  if (!fd) {
    problem = SystemError("socket", errno);
    return {};
  }
  ::unlink(path.c_str());
  if (::bind(fd.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(fd.Get(), kListenBacklog) != 0) {
    problem = SystemError(path, errno);
    return {};
  }
  return fd;
}

int MillisecondsLeft(TClock::time_point deadline) {
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - TClock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

bool WaitFor(int fd, short events, TClock::time_point deadline) {
  for (;;) {
    pollfd watched{fd, events, 0};
    const int ready = ::poll(&watched, 1, MillisecondsLeft(deadline));
    if (ready > 0) return true;
    if (ready == 0 || errno != EINTR) return false;
  }
}

bool ConnectOnce(const sockaddr_un& address, TClock::time_point deadline, TUniqueFd& connection, int& error) {
  TUniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
  if (!fd) {
    error = errno;
    return false;
  }
  if (::connect(fd.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    error = errno;
    if (error != EINPROGRESS) return false;
    socklen_t length = sizeof error;
    if (!WaitFor(fd.Get(), POLLOUT, deadline) ||
        ::getsockopt(fd.Get(), SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0)
      return false;
  }
  connection = std::move(fd);
  return true;
}

// Refused or missing while the winner of the lock binds; a full backlog while
// it is busy: all of these pass, so every failure is retried until the deadline.
TUniqueFd Connect(const std::string& path, TClock::time_point deadline, std::string& problem) {
  sockaddr_un address;
  if (!SocketAddress(path, address)) {
    problem = path + ": name too long for a socket";
    return {};
  }
  for (;;) {
    TUniqueFd connection;
    int error = 0;
    if (ConnectOnce(address, deadline, connection, error)) return connection;
    if (TClock::now() >= deadline) {
      problem = SystemError("the running program cannot be reached at " + path, error);
      return {};
    }
    std::this_thread::sleep_for(std::min<TClock::duration>(kConnectRetryPause, deadline - TClock::now()));
  }
}

bool SendAll(int fd, const std::string& bytes, TClock::time_point deadline) {
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    const ssize_t count = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (count >= 0) {
      sent += static_cast<std::size_t>(count);
    } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
      if (!WaitFor(fd, POLLOUT, deadline)) return false;
    } else if (errno != EINTR) {
      return false;
    }
  }
  return true;
}

bool ReceiveAcknowledgement(int fd, TClock::time_point deadline) {
  for (;;) {
    if (!WaitFor(fd, POLLIN, deadline)) return false;
    char answer = 0;
    const ssize_t count = ::recv(fd, &answer, 1, 0);
    if (count == 1) return answer == kHandOverAcknowledgement;
    if (count == 0 || (errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK)) return false;
  }
}

}  // namespace

TInstanceClaim ClaimInstance(const std::string& filesFolder, const TRuntimeFolder& runtime) {
  TInstanceClaim claim;
  if (runtime.path.empty()) {
    claim.problem = "no private runtime folder (" + runtime.problem + ")";
    return claim;
  }
  const std::string stem = runtime.path + "/orvana-" + KeyHash(InstanceKey(filesFolder));
  const std::string lockPath = stem + ".lock";
  claim.socketPath = stem + ".socket";

  TUniqueFd lock(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600));
  if (!lock) {
    claim.problem = SystemError(lockPath, errno);
    return claim;
  }
  int locked;
  do {
    locked = ::flock(lock.Get(), LOCK_EX | LOCK_NB);
  } while (locked != 0 && errno == EINTR);
  if (locked != 0) {
    if (errno == EWOULDBLOCK) {
      claim.role = TInstanceRole::kSecondary;
    } else {
      claim.problem = SystemError(lockPath, errno);
    }
    return claim;
  }
  claim.role = TInstanceRole::kPrimary;
  claim.lock = std::move(lock);
  // Without a listener the lock still keeps a second program away from the
  // files; a second start then fails to hand over and says so.
  claim.listener = Listen(claim.socketPath, claim.problem);
  return claim;
}

bool HandOver(const TInstanceClaim& claim, const std::vector<std::string>& arguments, int timeoutMs,
              std::string* problem) {
  std::string reason =
      claim.role == TInstanceRole::kSecondary ? HandOverLimitProblem(arguments) : "no other program is running";
  bool delivered = false;
  if (reason.empty()) {
    const TClock::time_point deadline = TClock::now() + std::chrono::milliseconds(timeoutMs);
    TUniqueFd connection = Connect(claim.socketPath, deadline, reason);
    if (connection) {
      delivered = SendAll(connection.Get(), EncodeHandOver(arguments), deadline) &&
                  ReceiveAcknowledgement(connection.Get(), deadline);
      if (!delivered)
        reason = "the running program did not acknowledge within " + std::to_string(timeoutMs) + " ms";
    }
  }
  if (problem != nullptr) *problem = reason;
  return delivered;
}

}  // namespace orvana::app
