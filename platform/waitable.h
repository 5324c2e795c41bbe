#pragma once
// Something a thread can wait on together with other things: events and
// message queues. A wait registers a wake-up listener on every object it
// waits for, so one condition variable serves any mix of them.
#include <cstddef>
#include <initializer_list>
#include <mutex>
#include <vector>

namespace orvana::platform {

class WakeListener {
 public:
  virtual void Wake() = 0;

 protected:
  ~WakeListener() = default;
};

class Waitable {
 public:
  Waitable() = default;
  Waitable(const Waitable&) = delete;
  Waitable& operator=(const Waitable&) = delete;

  // True when a wait on this object would end now. May consume the state
  // (an auto-reset event resets itself).
  virtual bool TryAcquire() = 0;

  void AddListener(WakeListener* listener);
  void RemoveListener(WakeListener* listener);

 protected:
  ~Waitable() = default;
  // Call after every change that can make TryAcquire succeed.
  void WakeListeners();

 private:
  std::mutex listenersMutex_;
  std::vector<WakeListener*> listeners_;
};

inline constexpr int kWaitInfinite = -1;
inline constexpr int kWaitTimedOut = -1;

// Waits until one of the objects is ready or timeoutMs has passed
// (kWaitInfinite: no limit). Returns the index of the first ready object,
// checked in the given order, or kWaitTimedOut.
int WaitForAny(std::initializer_list<Waitable*> objects, int timeoutMs);

}  // namespace orvana::platform
