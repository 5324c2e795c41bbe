#pragma once
// The running program's end of one hand-over: a client accepted from the
// instance socket whose message is read as it arrives, never blocking.
// Timing out a client that stalls is the caller's job (it owns the loop).
#include <string>
#include <vector>

#include "app/desktop/hand_over_message.h"
#include "app/files/unique_fd.h"

namespace orvana::app {

// The next waiting client, non-blocking and close-on-exec, or an empty fd
// when none waits. Clients of other users are closed and skipped. errno
// tells why it is empty (EAGAIN: nobody waits; EMFILE: out of descriptors).
TUniqueFd AcceptSameUserClient(int listenFd);

class THandOverConnection {
 public:
  enum class TProgress { kWaiting, kComplete, kDropped };

  explicit THandOverConnection(TUniqueFd client) : client_(std::move(client)) {}

  int Fd() const { return client_.Get(); }
  // Reads whatever has arrived. kDropped: a malformed message, a client that
  // hung up early or a read error; the caller closes the connection.
  TProgress ReadAvailable();
  const std::vector<std::string>& Arguments() const { return decoder_.Arguments(); }
  // Tells the client its arguments arrived and closes the connection.
  void AcknowledgeAndClose();
  void Close() { client_.Reset(); }

 private:
  TUniqueFd client_;
  THandOverDecoder decoder_;
};

}  // namespace orvana::app
