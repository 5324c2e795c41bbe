#include "player/event.h"

#include <mutex>
#include <unordered_set>

namespace orvana::player {
namespace {

struct LiveEvents {
  std::mutex mutex;
  std::unordered_set<uintptr_t> params;
};

LiveEvents& TheLiveEvents() {
  static LiveEvents live;
  return live;
}

}  // namespace

TMPEvent::TMPEvent(bool manualReset, bool initialState) : event_(manualReset, initialState) {
  std::lock_guard lock(TheLiveEvents().mutex);
  TheLiveEvents().params.insert(AsParam());
}

TMPEvent::~TMPEvent() {
  std::lock_guard lock(TheLiveEvents().mutex);
  TheLiveEvents().params.erase(AsParam());
}

uint32_t TMPEvent::WaitFor(int milliseconds) { return event_.Wait(milliseconds) ? WAIT_OBJECT_0 : WAIT_TIMEOUT; }

bool TMPEvent::SetEventByParam(uintptr_t param) {
  // Signalled under the lock, so the event cannot go away in between.
  std::lock_guard lock(TheLiveEvents().mutex);
  if (!TheLiveEvents().params.contains(param)) return false;
  reinterpret_cast<TMPEvent*>(param)->SetEvent();
  return true;
}

}  // namespace orvana::player
