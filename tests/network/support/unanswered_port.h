#pragma once
// TUnansweredPort: a loopback port whose connections never complete. It
// listens with no room for a connection waiting to be accepted and takes
// that room itself, so the kernel drops every further SYN: a client stays
// connecting, as with a host that does not answer.
namespace orvana::testing {

class TUnansweredPort {
 public:
  TUnansweredPort();
  ~TUnansweredPort();
  TUnansweredPort(const TUnansweredPort&) = delete;
  TUnansweredPort& operator=(const TUnansweredPort&) = delete;

  int Port() const { return port_; }
  // Connections to the port still in SYN-SENT (from /proc/net/tcp).
  int Connecting() const;

 private:
  int listener_ = -1;
  int filler_ = -1;
  int port_ = 0;
};

}  // namespace orvana::testing
