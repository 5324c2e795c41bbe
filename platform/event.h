#pragma once
// A kernel-style event: manual reset (stays signalled until reset) or
// auto reset (one successful wait resets it). Any thread may set, reset or
// wait; WaitForAny combines it with other waitables.
#include <atomic>

#include "platform/waitable.h"

namespace orvana::platform {

class Event final : public Waitable {
 public:
  explicit Event(bool manualReset = true, bool initiallySignalled = false);
  ~Event();

  void Set();
  void Reset();
  bool IsSet() const { return signalled_.load(); }

  // True when signalled within timeoutMs (kWaitInfinite: no limit).
  bool Wait(int timeoutMs = kWaitInfinite);

  bool TryAcquire() override;

 private:
  const bool manualReset_;
  std::atomic<bool> signalled_;
};

}  // namespace orvana::platform
