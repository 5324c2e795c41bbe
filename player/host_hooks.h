#pragma once
// What the host program provides to the player: the standard exception
// display and a way to process its pending messages. The desktop program
// shows a message box and runs its event loop; without a host the display
// prints to stderr and processing messages does nothing.
#include <exception>
#include <functional>

namespace orvana::player {

using ExceptionDisplay = std::function<void(const std::exception&)>;
using MessagePump = std::function<void()>;

// An empty function restores the default.
void SetExceptionDisplay(ExceptionDisplay display);
void SetMessagePump(MessagePump pump);

// May be called from any thread.
void ShowException(const std::exception& error);
void ProcessMessages();

}  // namespace orvana::player
