#pragma once
// A thread's message queue: numbered messages with two word parameters.
// Any thread may post; the owning thread reads, in posting order, with
// removing or non-removing peeks (any number or one number) and a blocking
// get with a time-out.
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>

#include "platform/waitable.h"

namespace orvana::platform {

struct Message {
  uint32_t number = 0;
  uintptr_t wParam = 0;
  intptr_t lParam = 0;
};

enum class PeekMode { kKeep, kRemove };

class MessageQueue final : public Waitable {
 public:
  MessageQueue() = default;
  ~MessageQueue();

  void Post(uint32_t number, uintptr_t wParam = 0, intptr_t lParam = 0);
  // Posts only when no message of this number is waiting; true if posted.
  bool PostOnce(uint32_t number, uintptr_t wParam = 0, intptr_t lParam = 0);

  std::optional<Message> Peek(PeekMode mode);
  std::optional<Message> PeekNumber(uint32_t number, PeekMode mode);
  // Removes every waiting message of this number; returns how many.
  int RemoveAll(uint32_t number);
  // Waits up to timeoutMs (kWaitInfinite: no limit) for a message and removes it.
  std::optional<Message> Get(int timeoutMs);

  bool Empty() const;
  bool TryAcquire() override { return !Empty(); }

 private:
  mutable std::mutex mutex_;
  std::deque<Message> messages_;
};

}  // namespace orvana::platform
