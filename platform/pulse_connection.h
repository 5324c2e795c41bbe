#pragma once
// The process's one connection to a PulseAudio server (or PipeWire's
// pipewire-pulse): a libpulse context on a threaded main loop of its own.
// It is made at the first Acquire and kept for the streams that follow, so
// that starting to play does not pay for connecting; one that failed or was
// terminated (the server went away) is dropped, and the next Acquire makes a
// new one. Streams hold it while they live; the last holder stops its loop.
//
// Every libpulse call on the context or its streams is made with the loop
// locked (PulseLock), or from the loop's own callbacks, which run locked.
#include <pulse/pulseaudio.h>

#include <chrono>
#include <functional>
#include <memory>

#include "platform/wave_out.h"

namespace orvana::platform {

class PulseConnection {
 public:
  // A server that accepts the connection but never answers is given up after this.
  static constexpr std::chrono::milliseconds kConnectLimit{1500};

  // The connection, made now if there is none or the last one failed; on
  // failure a result code (kPulseErrorBase + libpulse's error) and no connection.
  static MmResult Acquire(std::shared_ptr<PulseConnection>& connection);

  ~PulseConnection();
  PulseConnection(const PulseConnection&) = delete;
  PulseConnection& operator=(const PulseConnection&) = delete;

  pa_threaded_mainloop* Loop() const { return loop_; }
  pa_context* Context() const { return context_; }
  pa_mainloop_api* Api() const;
  // With the loop locked: whether the context is still connected.
  bool Ready() const;
  // With the loop locked: the context's last error as a result code.
  MmResult LastError() const;

  // With the loop locked: waits until `done` holds or `limit` has passed
  // (false then). Callbacks that change what `done` looks at must call
  // pa_threaded_mainloop_signal(loop, 0).
  bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds limit);

 private:
  PulseConnection() = default;
  MmResult Connect();

  pa_threaded_mainloop* loop_ = nullptr;
  pa_context* context_ = nullptr;
};

// Locks the loop for the scope (not from inside its callbacks, which hold it).
class PulseLock {
 public:
  explicit PulseLock(pa_threaded_mainloop* loop);
  ~PulseLock();
  PulseLock(const PulseLock&) = delete;
  PulseLock& operator=(const PulseLock&) = delete;

 private:
  pa_threaded_mainloop* loop_;
};

// libpulse's error number as a result code.
inline MmResult FromPulse(int error) { return kPulseErrorBase + static_cast<MmResult>(error < 0 ? -error : error); }

}  // namespace orvana::platform
