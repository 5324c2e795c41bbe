#pragma once
// Ctrl+C (SIGINT) and SIGTERM as something a poll loop can watch: the
// handler only writes a byte to a pipe, the loop then stops cleanly.
namespace orvana::cli {

class InterruptSignal {
 public:
  // Installs the handlers; one instance at a time.
  InterruptSignal();
  ~InterruptSignal();
  InterruptSignal(const InterruptSignal&) = delete;
  InterruptSignal& operator=(const InterruptSignal&) = delete;

  // Readable once a signal has arrived.
  int Fd() const;
  bool Raised() const;
};

}  // namespace orvana::cli
