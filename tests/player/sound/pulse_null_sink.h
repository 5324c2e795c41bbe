#pragma once
// A private PulseAudio daemon with a null sink, for tests of the real sound
// path. It lives in its own temporary folder, and points this process's ALSA
// "default" device at it through a configuration file of its own, so that
// nothing depends on the machine's sound set-up. The daemon is stopped when
// the object goes, and killed by the kernel if the test process dies first.
#include <sys/types.h>

#include <filesystem>
#include <string>

namespace orvana::player::testing {

class PulseNullSink {
 public:
  PulseNullSink();
  ~PulseNullSink();
  PulseNullSink(const PulseNullSink&) = delete;
  PulseNullSink& operator=(const PulseNullSink&) = delete;

  bool Running() const { return pid_ > 0; }
  // What went wrong while starting, with the daemon's log.
  const std::string& Failure() const { return failure_; }

 private:
  bool Start();
  void Stop();
  std::string Log() const;

  std::filesystem::path dir_;
  pid_t pid_ = -1;
  std::string failure_;
};

}  // namespace orvana::player::testing
