#include "platform/pulse_connection.h"

#include "platform/pulse_library.h"

#include <mutex>

namespace orvana::platform {
namespace {

// The process's connection and the lock that guards making it.
std::mutex& HolderMutex() {
  static std::mutex mutex;
  return mutex;
}

std::shared_ptr<PulseConnection>& Holder() {
  static std::shared_ptr<PulseConnection> holder;
  return holder;
}

void SignalLoop(pa_context*, void* loop) { Pulse().pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(loop), 0); }

struct Expiry {
  pa_threaded_mainloop* loop;
  bool passed = false;
};

void Expire(pa_mainloop_api*, pa_time_event*, const struct timeval*, void* data) {
  auto* expiry = static_cast<Expiry*>(data);
  expiry->passed = true;
  Pulse().pa_threaded_mainloop_signal(expiry->loop, 0);
}

}  // namespace

#if defined(__SANITIZE_THREAD__)
// libpulse is not built for ThreadSanitizer: a mutex it makes lazily is handed
// to its other threads through atomics of its own, which ThreadSanitizer does
// not see, so the first lock taken on it in another thread looks like a race.
extern "C" const char* __tsan_default_suppressions() { return "race:pa_mutex_lock\n"; }
#endif

MmResult PulseConnection::Acquire(std::shared_ptr<PulseConnection>& connection) {
  connection.reset();
  std::lock_guard guard(HolderMutex());
  std::shared_ptr<PulseConnection>& held = Holder();
  if (held) {
    bool ready = false;
    {
      PulseLock lock(held->loop_);
      ready = held->Ready();
    }
    if (ready) {
      connection = held;
      return MMSYSERR_NOERROR;
    }
    // Failed or terminated: its streams keep it until they are closed.
    held.reset();
  }
  std::shared_ptr<PulseConnection> fresh(new PulseConnection());
  if (const MmResult result = fresh->Connect(); result != MMSYSERR_NOERROR) return result;
  held = fresh;
  connection = std::move(fresh);
  return MMSYSERR_NOERROR;
}

PulseLock::PulseLock(pa_threaded_mainloop* loop) : loop_(loop) { Pulse().pa_threaded_mainloop_lock(loop_); }

PulseLock::~PulseLock() { Pulse().pa_threaded_mainloop_unlock(loop_); }

pa_mainloop_api* PulseConnection::Api() const { return Pulse().pa_threaded_mainloop_get_api(loop_); }

MmResult PulseConnection::Connect() {
  if (!Pulse().loaded) return MMSYSERR_NODRIVER;
  loop_ = Pulse().pa_threaded_mainloop_new();
  if (loop_ == nullptr) return MMSYSERR_NOMEM;
  Pulse().pa_threaded_mainloop_set_name(loop_, "orvana-pulse");
  pa_proplist* properties = Pulse().pa_proplist_new();
  Pulse().pa_proplist_sets(properties, PA_PROP_APPLICATION_NAME, "Orvana");
  Pulse().pa_proplist_sets(properties, PA_PROP_APPLICATION_ID, "org.orvana.orvana");
  Pulse().pa_proplist_sets(properties, PA_PROP_APPLICATION_ICON_NAME, "orvana");
  Pulse().pa_proplist_sets(properties, PA_PROP_MEDIA_ROLE, "music");
  // Sound goes over the socket: with shared memory the server sends word of
  // every 64 KiB block it is done with, which wakes this thread a few times a
  // second for nothing. The copy costs less than the wake-ups.
  Pulse().pa_proplist_sets(properties, "context.force.disable.shm", "yes");
  context_ = Pulse().pa_context_new_with_proplist(Api(), "Orvana", properties);
  Pulse().pa_proplist_free(properties);
  if (context_ == nullptr) return MMSYSERR_NOMEM;
  Pulse().pa_context_set_state_callback(context_, SignalLoop, loop_);
  // No autospawn: a missing server fails at once (a missing socket is
  // refused by the kernel); one that never answers is given up below.
  if (Pulse().pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) return LastError();
  if (Pulse().pa_threaded_mainloop_start(loop_) < 0) return MMSYSERR_ERROR;
  PulseLock lock(loop_);
  const bool settled = WaitFor(
      [this] {
        const pa_context_state_t state = Pulse().pa_context_get_state(context_);
        return state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state);
      },
      kConnectLimit);
  if (!settled) return FromPulse(PA_ERR_TIMEOUT);
  return Ready() ? MMSYSERR_NOERROR : LastError();
}

PulseConnection::~PulseConnection() {
  if (context_ != nullptr) {
    PulseLock lock(loop_);
    Pulse().pa_context_set_state_callback(context_, nullptr, nullptr);
    Pulse().pa_context_disconnect(context_);
    Pulse().pa_context_unref(context_);
  }
  if (loop_ != nullptr) {
    Pulse().pa_threaded_mainloop_stop(loop_);
    Pulse().pa_threaded_mainloop_free(loop_);
  }
}

bool PulseConnection::Ready() const { return Pulse().pa_context_get_state(context_) == PA_CONTEXT_READY; }

MmResult PulseConnection::LastError() const {
  const int error = Pulse().pa_context_errno(context_);
  return FromPulse(error != PA_OK ? error : PA_ERR_CONNECTIONTERMINATED);
}

bool PulseConnection::WaitFor(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  if (done()) return true;
  Expiry expiry{loop_};
  const pa_usec_t due = Pulse().pa_rtclock_now() + static_cast<pa_usec_t>(limit.count()) * PA_USEC_PER_MSEC;
  pa_time_event* timer = Pulse().pa_context_rttime_new(context_, due, Expire, &expiry);
  if (timer == nullptr) return false;
  while (!done() && !expiry.passed) Pulse().pa_threaded_mainloop_wait(loop_);
  Api()->time_free(timer);
  return done();
}

}  // namespace orvana::platform
