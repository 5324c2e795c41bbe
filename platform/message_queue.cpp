#include "platform/message_queue.h"

#include <algorithm>
#include <chrono>

namespace orvana::platform {

MessageQueue::~MessageQueue() = default;

void MessageQueue::Post(uint32_t number, uintptr_t wParam, intptr_t lParam) {
  {
    std::lock_guard lock(mutex_);
    messages_.push_back({number, wParam, lParam});
  }
  WakeListeners();
}

bool MessageQueue::PostOnce(uint32_t number, uintptr_t wParam, intptr_t lParam) {
  {
    std::lock_guard lock(mutex_);
    const bool waiting = std::any_of(messages_.begin(), messages_.end(),
                                     [number](const Message& m) { return m.number == number; });
    if (waiting) return false;
    messages_.push_back({number, wParam, lParam});
  }
  WakeListeners();
  return true;
}

std::optional<Message> MessageQueue::Peek(PeekMode mode) {
  std::lock_guard lock(mutex_);
  if (messages_.empty()) return std::nullopt;
  Message front = messages_.front();
  if (mode == PeekMode::kRemove) messages_.pop_front();
  return front;
}

std::optional<Message> MessageQueue::PeekNumber(uint32_t number, PeekMode mode) {
  std::lock_guard lock(mutex_);
  auto found = std::find_if(messages_.begin(), messages_.end(),
                            [number](const Message& m) { return m.number == number; });
  if (found == messages_.end()) return std::nullopt;
  Message message = *found;
  if (mode == PeekMode::kRemove) messages_.erase(found);
  return message;
}

int MessageQueue::RemoveAll(uint32_t number) {
  std::lock_guard lock(mutex_);
  const auto before = messages_.size();
  std::erase_if(messages_, [number](const Message& m) { return m.number == number; });
  return static_cast<int>(before - messages_.size());
}

std::optional<Message> MessageQueue::Get(int timeoutMs) {
  const bool unlimited = timeoutMs < 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(unlimited ? 0 : timeoutMs);
  for (;;) {
    if (auto message = Peek(PeekMode::kRemove)) return message;
    int leftMs = kWaitInfinite;
    if (!unlimited) {
      const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
      if (left.count() <= 0) return std::nullopt;
      leftMs = static_cast<int>(left.count());
    }
    // Another reader may take the message first; then wait again.
    if (WaitForAny({this}, leftMs) == kWaitTimedOut) return Peek(PeekMode::kRemove);
  }
}

bool MessageQueue::Empty() const {
  std::lock_guard lock(mutex_);
  return messages_.empty();
}

}  // namespace orvana::platform
