#pragma once
// The player's lock interface and its critical-section implementation.
// The thread holding a TMPSimpleMutex may lock it again.
#include "platform/reentrant_lock.h"

namespace orvana::player {

class TMPAbstractMutex {
 public:
  virtual ~TMPAbstractMutex() = default;
  virtual void Lock() = 0;
  virtual void Unlock() = 0;

  // BasicLockable, for std::lock_guard.
  void lock() { Lock(); }
  void unlock() { Unlock(); }
};

class TMPSimpleMutex : public TMPAbstractMutex {
 public:
  void Lock() override { section_.Enter(); }
  void Unlock() override { section_.Leave(); }

 private:
  platform::ReentrantLock section_;
};

}  // namespace orvana::player
