#include "unanswered_port.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace orvana::testing {
namespace {

constexpr int kSynSent = 2;  // the kernel's TCP_SYN_SENT

}  // namespace

TUnansweredPort::TUnansweredPort() {
  listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(listener_, 0) != 0 || ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
    return;
  port_ = ntohs(address.sin_port);
  // A backlog of 0 holds one connection: this one, never accepted.
  filler_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (filler_ < 0 || ::connect(filler_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) port_ = 0;
}

TUnansweredPort::~TUnansweredPort() {
  if (filler_ >= 0) ::close(filler_);
  if (listener_ >= 0) ::close(listener_);
}

int TUnansweredPort::Connecting() const {
  // "  sl  local_address rem_address   st ...", addresses as HEX_IP:HEX_PORT.
  std::ifstream table("/proc/net/tcp");
  std::string line;
  std::getline(table, line);
  int connecting = 0;
  while (std::getline(table, line)) {
    unsigned remotePort = 0, state = 0;
    if (std::sscanf(line.c_str(), " %*d: %*x:%*x %*x:%x %x", &remotePort, &state) == 2 &&
        int(remotePort) == port_ && int(state) == kSynSent)
      ++connecting;
  }
  return connecting;
}

}  // namespace orvana::testing
