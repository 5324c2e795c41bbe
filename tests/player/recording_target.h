#pragma once
// Test helpers: a message target that records what it receives, and a
// capture of the host's exception display.
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "player/host_hooks.h"
#include "player/thread_messages.h"

namespace orvana::player::testing {

struct Received {
  uint32_t msg;
  uintptr_t wParam;
  intptr_t lParam;
  std::chrono::steady_clock::time_point at;
};

class RecordingTarget : public TMPMessageTarget {
 public:
  // Runs on the loop thread before the message is recorded; may throw.
  std::function<void(const TMPMessage&)> onMessage;

  void Dispatch(TMPMessage& message) override {
    if (onMessage) onMessage(message);
    std::lock_guard lock(mutex_);
    received_.push_back({message.Msg, message.WParam, message.LParam, std::chrono::steady_clock::now()});
    changed_.notify_all();
  }

  std::vector<Received> Snapshot() {
    std::lock_guard lock(mutex_);
    return received_;
  }

  int Count(uint32_t msg) {
    std::lock_guard lock(mutex_);
    int count = 0;
    for (const Received& r : received_) count += r.msg == msg;
    return count;
  }

  // True when `count` messages numbered `msg` have arrived within the limit.
  bool WaitFor(uint32_t msg, int count, std::chrono::milliseconds limit = std::chrono::milliseconds(5000)) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, limit, [&] {
      int seen = 0;
      for (const Received& r : received_) seen += r.msg == msg;
      return seen >= count;
    });
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<Received> received_;
};

// Installs a display that records the shown messages; restores the default.
class DisplayCapture {
 public:
  DisplayCapture() {
    SetExceptionDisplay([this](const std::exception& error) {
      std::lock_guard lock(mutex_);
      shown_.emplace_back(error.what());
      changed_.notify_all();
    });
  }
  ~DisplayCapture() { SetExceptionDisplay(nullptr); }

  std::vector<std::string> Shown() {
    std::lock_guard lock(mutex_);
    return shown_;
  }

  bool WaitForCount(size_t count, std::chrono::milliseconds limit = std::chrono::milliseconds(5000)) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, limit, [&] { return shown_.size() >= count; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::string> shown_;
};

}  // namespace orvana::player::testing
