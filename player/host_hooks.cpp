#include "player/host_hooks.h"

#include <cstdio>
#include <mutex>

namespace orvana::player {
namespace {

struct Hooks {
  std::mutex mutex;
  ExceptionDisplay display;
  MessagePump pump;
};

Hooks& TheHooks() {
  static Hooks hooks;
  return hooks;
}

}  // namespace

void SetExceptionDisplay(ExceptionDisplay display) {
  std::lock_guard lock(TheHooks().mutex);
  TheHooks().display = std::move(display);
}

void SetMessagePump(MessagePump pump) {
  std::lock_guard lock(TheHooks().mutex);
  TheHooks().pump = std::move(pump);
}

void ShowException(const std::exception& error) {
  ExceptionDisplay display;
  {
    std::lock_guard lock(TheHooks().mutex);
    display = TheHooks().display;
  }
  if (display)
    display(error);
  else
    std::fprintf(stderr, "orvana: %s\n", error.what());
}

void ProcessMessages() {
  MessagePump pump;
  {
    std::lock_guard lock(TheHooks().mutex);
    pump = TheHooks().pump;
  }
  if (pump) pump();
}

}  // namespace orvana::player
