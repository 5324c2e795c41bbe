#include "player/main_thread_queue.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "player/assertion.h"
#include "player/host_hooks.h"

namespace orvana::player {

TMainThreadQueue::TMainThreadQueue(Handler handler) : handler_(std::move(handler)) {
  notifyFd_ = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  if (notifyFd_ < 0) throw std::system_error(errno, std::generic_category(), "eventfd");
}

TMainThreadQueue::~TMainThreadQueue() { ::close(notifyFd_); }

void TMainThreadQueue::Post(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
  messages_.Post(msg, wParam, lParam);
  Notify();
}

bool TMainThreadQueue::PostOnce(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
  if (!messages_.PostOnce(msg, wParam, lParam)) return false;
  Notify();
  return true;
}

bool TMainThreadQueue::IsQueued(uint32_t msg) {
  return messages_.PeekNumber(msg, platform::PeekMode::kKeep).has_value();
}

int TMainThreadQueue::RemoveQueued(uint32_t first, uint32_t last) {
  MPAssert(last >= first);
  int removed = 0;
  for (uint32_t msg = first;; ++msg) {
    removed += messages_.RemoveAll(msg);
    if (msg == last) break;
  }
  return removed;
}

void TMainThreadQueue::Discard() {
  while (messages_.Peek(platform::PeekMode::kRemove)) {
  }
}

void TMainThreadQueue::Notify() {
  const uint64_t one = 1;
  // Fails only when the counter is saturated, which still reads as readable.
  [[maybe_unused]] const ssize_t written = ::write(notifyFd_, &one, sizeof one);
  PostedCallback callback;
  {
    std::lock_guard lock(callbackMutex_);
    callback = onPosted_;
  }
  if (callback) callback();
}

int TMainThreadQueue::DispatchPending() {
  // Cleared before taking messages: a post from now on makes it readable again.
  uint64_t count = 0;
  [[maybe_unused]] const ssize_t got = ::read(notifyFd_, &count, sizeof count);
  int handled = 0;
  while (auto message = messages_.Peek(platform::PeekMode::kRemove)) {
    TMPMessage record{message->number, message->wParam, message->lParam, 0};
    ++handled;
    if (!handler_) continue;
    try {
      handler_(record);
    } catch (const std::exception& error) {
      // As an event loop does with a failing handler: show it and go on.
      ShowException(error);
    }
  }
  return handled;
}

bool TMainThreadQueue::WaitForPosted(int timeoutMs) {
  if (!messages_.Empty()) return true;
  pollfd watched{notifyFd_, POLLIN, 0};
  int ready;
  do {
    ready = ::poll(&watched, 1, timeoutMs < 0 ? -1 : timeoutMs);
  } while (ready < 0 && errno == EINTR);
  return !messages_.Empty();
}

void TMainThreadQueue::SetOnPosted(PostedCallback callback) {
  std::lock_guard lock(callbackMutex_);
  onPosted_ = std::move(callback);
}

}  // namespace orvana::player
