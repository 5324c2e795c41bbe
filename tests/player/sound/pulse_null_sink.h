#pragma once
// A private PulseAudio daemon with a null sink, for tests of the real sound
// path. It lives in its own temporary folder, and points this process at it:
// PULSE_SERVER for libpulse, and ALSA's "default" device through a
// configuration file of its own, so that nothing depends on the machine's
// sound set-up. The daemon is stopped when the object goes, and killed by the
// kernel if the test process dies first. It can be killed and started again
// at the same address, as a server that crashes and comes back.
#include <sys/types.h>

#include <filesystem>
#include <string>

namespace orvana::player::testing {

class PulseNullSink {
 public:
  // The null sink's name; what it plays is recorded from "null.monitor".
  static constexpr const char* kSinkName = "null";
  static constexpr const char* kMonitorName = "null.monitor";

  PulseNullSink();
  ~PulseNullSink();
  PulseNullSink(const PulseNullSink&) = delete;
  PulseNullSink& operator=(const PulseNullSink&) = delete;

  bool Running() const { return pid_ > 0; }
  // What went wrong while starting, with the daemon's log.
  const std::string& Failure() const { return failure_; }
  // The server's address as PULSE_SERVER takes it: "unix:" and the socket.
  std::string Server() const { return "unix:" + Socket(); }
  std::string Socket() const { return (dir_ / "native").string(); }
  pid_t Pid() const { return pid_; }
  std::string Log() const;

  // Kills the daemon at once (SIGKILL), as a crash would: its socket stays
  // behind and refuses connections.
  void Kill();
  // Starts the daemon again at the same address; false (see Failure) if it
  // does not come up.
  bool Restart();

 private:
  bool Start();
  bool StartDaemon();
  void StopDaemon();
  void Stop();

  std::filesystem::path dir_;
  pid_t pid_ = -1;
  std::string failure_;
};

}  // namespace orvana::player::testing
