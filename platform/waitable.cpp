#include "platform/waitable.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>

namespace orvana::platform {

void Waitable::AddListener(WakeListener* listener) {
  std::lock_guard lock(listenersMutex_);
  listeners_.push_back(listener);
}

void Waitable::RemoveListener(WakeListener* listener) {
  std::lock_guard lock(listenersMutex_);
  listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

void Waitable::WakeListeners() {
  std::lock_guard lock(listenersMutex_);
  for (WakeListener* listener : listeners_) listener->Wake();
}

namespace {

// Registered before the objects are checked, so a change that happens
// between the check and the sleep still wakes the waiter.
class WaitingThread final : public WakeListener {
 public:
  void Wake() override {
    std::lock_guard lock(mutex_);
    woken_ = true;
    condition_.notify_one();
  }

  // False when the deadline passed without a wake-up.
  bool SleepUntil(std::chrono::steady_clock::time_point deadline, bool unlimited) {
    std::unique_lock lock(mutex_);
    if (unlimited)
      condition_.wait(lock, [this] { return woken_; });
    else if (!condition_.wait_until(lock, deadline, [this] { return woken_; }))
      return false;
    woken_ = false;
    return true;
  }

 private:
  std::mutex mutex_;
  std::condition_variable condition_;
  bool woken_ = false;
};

class ListenerRegistration {
 public:
  ListenerRegistration(std::initializer_list<Waitable*> objects, WakeListener* listener)
      : objects_(objects), listener_(listener) {
    for (Waitable* object : objects_) object->AddListener(listener_);
  }
  ~ListenerRegistration() {
    for (Waitable* object : objects_) object->RemoveListener(listener_);
  }
  ListenerRegistration(const ListenerRegistration&) = delete;
  ListenerRegistration& operator=(const ListenerRegistration&) = delete;

 private:
  std::initializer_list<Waitable*> objects_;
  WakeListener* listener_;
};

int FirstReady(std::initializer_list<Waitable*> objects) {
  int index = 0;
  for (Waitable* object : objects) {
    if (object->TryAcquire()) return index;
    ++index;
  }
  return kWaitTimedOut;
}

}  // namespace

int WaitForAny(std::initializer_list<Waitable*> objects, int timeoutMs) {
  // A look without waiting: even an expired sleep would put the thread to
  // sleep and wake it again, once for every frame the decoder checks.
  if (timeoutMs == 0) return FirstReady(objects);
  const bool unlimited = timeoutMs < 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(unlimited ? 0 : timeoutMs);
  WaitingThread self;
  ListenerRegistration registration(objects, &self);
  for (;;) {
    const int ready = FirstReady(objects);
    if (ready != kWaitTimedOut) return ready;
    if (!self.SleepUntil(deadline, unlimited)) return FirstReady(objects);
  }
}

}  // namespace orvana::platform
