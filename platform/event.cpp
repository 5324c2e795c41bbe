#include "platform/event.h"

namespace orvana::platform {

Event::Event(bool manualReset, bool initiallySignalled)
    : manualReset_(manualReset), signalled_(initiallySignalled) {}

Event::~Event() = default;

void Event::Set() {
  signalled_.store(true);
  WakeListeners();
}

void Event::Reset() { signalled_.store(false); }

bool Event::Wait(int timeoutMs) { return WaitForAny({this}, timeoutMs) == 0; }

bool Event::TryAcquire() {
  if (manualReset_) return signalled_.load();
  bool expected = true;
  return signalled_.compare_exchange_strong(expected, false);
}

}  // namespace orvana::platform
