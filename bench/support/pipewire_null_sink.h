#pragma once
// A private PipeWire with its PulseAudio server and a null sink, the sound
// set-up of today's desktops, for the benchmarks: pipewire, wireplumber and
// pipewire-pulse in a fresh folder of their own, on a session bus of their
// own, each ended by its process id. The null sink is the default; what it
// plays is recorded from "null.monitor".
#include <memory>
#include <string>
#include <vector>

#include "desktop/child_process.h"
#include "desktop/private_session_bus.h"

namespace orvana::testing {

class TPipeWireNullSink {
 public:
  static constexpr const char* kMonitorName = "null.monitor";

  TPipeWireNullSink();
  ~TPipeWireNullSink();
  TPipeWireNullSink(const TPipeWireNullSink&) = delete;
  TPipeWireNullSink& operator=(const TPipeWireNullSink&) = delete;

  bool Running() const { return running_; }
  const std::string& Failure() const { return failure_; }
  // As PULSE_SERVER takes it.
  std::string Server() const { return "unix:" + folder_ + "/pulse/native"; }

 private:
  bool Start();
  std::vector<std::string> Environment() const;

  TPrivateSessionBus bus_;
  std::string folder_;
  std::vector<std::unique_ptr<TChildProcess>> daemons_;  // ended in reverse order
  bool running_ = false;
  std::string failure_;
};

}  // namespace orvana::testing
