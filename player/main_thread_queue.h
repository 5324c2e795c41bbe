#pragma once
// The player's stand-in for a hidden message window: numbered messages that
// any thread may post and that are handled only when the host's event loop
// calls DispatchPending, on the host's (main) thread, in posting order.
//
// A host learns that something was posted in one of two ways: NotifyFd is
// readable while posted messages wait (for poll(2) or a QSocketNotifier),
// and the OnPosted callback runs right after every post, on the posting
// thread (for a queued call into the host's loop).
#include <cstdint>
#include <functional>
#include <mutex>

#include "platform/message_queue.h"
#include "player/thread_messages.h"

namespace orvana::player {

class TMainThreadQueue {
 public:
  using Handler = std::function<void(TMPMessage& message)>;
  using PostedCallback = std::function<void()>;

  explicit TMainThreadQueue(Handler handler);
  ~TMainThreadQueue();
  TMainThreadQueue(const TMainThreadQueue&) = delete;
  TMainThreadQueue& operator=(const TMainThreadQueue&) = delete;

  // Any thread.
  void Post(uint32_t msg, uintptr_t wParam = 0, intptr_t lParam = 0);
  // Posts only when no message of this number waits; true if posted.
  bool PostOnce(uint32_t msg, uintptr_t wParam = 0, intptr_t lParam = 0);
  bool IsQueued(uint32_t msg);
  // Removes every waiting message numbered first..last; returns how many.
  // An upper bound below the lower one is an assertion failure.
  int RemoveQueued(uint32_t first, uint32_t last);
  int RemoveQueued(uint32_t msg) { return RemoveQueued(msg, msg); }
  // Drops every waiting message unhandled.
  void Discard();

  // Host thread: hands every waiting message (and any posted meanwhile) to
  // the handler; returns how many. Handlers may call it again. A handler's
  // exception goes to the host's exception display and dispatching goes on.
  int DispatchPending();
  // Host thread, for hosts without an event loop: waits until something is
  // posted or timeoutMs passes (-1: no limit); true when something waits.
  bool WaitForPosted(int timeoutMs);
  int NotifyFd() const { return notifyFd_; }
  void SetOnPosted(PostedCallback callback);

 private:
  void Notify();

  Handler handler_;
  platform::MessageQueue messages_;
  int notifyFd_ = -1;
  std::mutex callbackMutex_;
  PostedCallback onPosted_;
};

}  // namespace orvana::player
