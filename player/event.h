#pragma once
// The player's event object over a platform event. Events travel inside
// messages as word parameters (MPM_SYNC); FromParam finds the event again
// only while it is alive, so a stale or foreign value is harmless.
#include <cstdint>

#include "platform/event.h"

namespace orvana::player {

inline constexpr uint32_t WAIT_OBJECT_0 = 0;
inline constexpr uint32_t WAIT_TIMEOUT = 258;

class TMPEvent {
 public:
  explicit TMPEvent(bool manualReset = true, bool initialState = false);
  virtual ~TMPEvent();
  TMPEvent(const TMPEvent&) = delete;
  TMPEvent& operator=(const TMPEvent&) = delete;

  void ResetEvent() { event_.Reset(); }
  void SetEvent() { event_.Set(); }
  // WAIT_OBJECT_0 when signalled in time, WAIT_TIMEOUT otherwise
  // (milliseconds < 0: no limit).
  uint32_t WaitFor(int milliseconds);

  platform::Event& Handle() { return event_; }

  uintptr_t AsParam() const { return reinterpret_cast<uintptr_t>(this); }
  // Signals the event that `param` names; false when no such event is alive.
  static bool SetEventByParam(uintptr_t param);

 private:
  platform::Event event_;
};

class TMPSimpleEvent : public TMPEvent {
 public:
  using TMPEvent::TMPEvent;
};

}  // namespace orvana::player
