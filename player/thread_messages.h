#pragma once
// Numbered messages between the player's threads and the objects that
// handle them. A target dispatches by number; numbers it has no handler for
// are ignored.
#include <cstdint>

namespace orvana::player {

inline constexpr uint32_t WM_USER = 0x400;

// Understood by the loop thread itself.
inline constexpr uint32_t MPM_QUIT = WM_USER + 30;
inline constexpr uint32_t MPM_WATCHEVENT = WM_USER + 31;  // sent to the target, never posted
inline constexpr uint32_t MPM_SYNC = WM_USER + 32;        // wParam: a TMPEvent to signal, or 0
inline constexpr uint32_t MPM_TIMEOUT = WM_USER + 33;     // sent to the target, never posted

struct TMPMessage {
  uint32_t Msg = 0;
  uintptr_t WParam = 0;
  intptr_t LParam = 0;
  intptr_t Result = 0;
};

class TMPMessageTarget {
 public:
  virtual void Dispatch(TMPMessage& message) = 0;

 protected:
  ~TMPMessageTarget() = default;
};

}  // namespace orvana::player
