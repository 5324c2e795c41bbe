#pragma once
// The private messages worker threads post to the player's main-thread queue.
#include <cstdint>

#include "player/thread_messages.h"

namespace orvana::player {

inline constexpr uint32_t MPM_CHANGEPOSITION = WM_USER + 10;
// wParam: a TMPEvent to signal once shown; lParam: the std::exception.
inline constexpr uint32_t MPM_THREADEXCEPTION = WM_USER + 11;
inline constexpr uint32_t MPM_ENDOFSTREAM = WM_USER + 12;
inline constexpr uint32_t MPM_CHANGESTATUS = WM_USER + 14;
inline constexpr uint32_t MPM_ENDPLAY = WM_USER + 15;
inline constexpr uint32_t MPM_EQUALIZER = WM_USER + 16;
// The song queued to follow is heard now.
inline constexpr uint32_t MPM_NEXTSONG = WM_USER + 17;
// A station's stream is open, or could not be.
inline constexpr uint32_t MPM_STREAMOPENED = WM_USER + 18;
// A station's info or title changed.
inline constexpr uint32_t MPM_STREAMINFO = WM_USER + 19;

}  // namespace orvana::player
