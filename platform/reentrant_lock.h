#pragma once
// A critical section: mutual exclusion that the owning thread may enter
// again (the sound output queues a buffer while already holding its lock).
#include <mutex>

namespace orvana::platform {

class ReentrantLock {
 public:
  void Enter() { mutex_.lock(); }
  void Leave() { mutex_.unlock(); }

 private:
  std::recursive_mutex mutex_;
};

}  // namespace orvana::platform
