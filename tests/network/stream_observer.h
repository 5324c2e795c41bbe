#pragma once
// What the network tests watch of a THttpStream: every state and title it
// announces, in order, waited on as they come; and its bytes, read without
// ever blocking past a deadline.
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "player/network/http_stream.h"

namespace orvana::player::testing {

using Clock = std::chrono::steady_clock;

class TStreamObserver {
 public:
  // Before the stream starts. What it records lives as long as the stream
  // holds the callback, whichever of the two goes first.
  explicit TStreamObserver(THttpStream& stream) : log_(std::make_shared<TLog>()) {
    stream.SetOnChange([log = log_, &stream] { log->Record(stream.State(), stream.Title()); });
  }

  // True once the latest state the stream announced is `state`.
  bool WaitForState(TNetStreamState state, Clock::duration limit) {
    return log_->WaitFor(limit, [&] { return !log_->states.empty() && log_->states.back() == state; });
  }
  bool WaitForEnd(Clock::duration limit) {
    return log_->WaitFor(limit, [&] {
      return !log_->states.empty() &&
             (log_->states.back() == TNetStreamState::kEnded || log_->states.back() == TNetStreamState::kFailed);
    });
  }
  bool WaitForTitle(const std::string& title, Clock::duration limit) {
    return log_->WaitFor(limit, [&] { return !log_->titles.empty() && log_->titles.back() == title; });
  }
  std::vector<TNetStreamState> States() const {
    std::lock_guard guard(log_->lock);
    return log_->states;
  }
  std::vector<std::string> Titles() const {
    std::lock_guard guard(log_->lock);
    return log_->titles;
  }

 private:
  struct TLog {
    std::mutex lock;
    std::condition_variable changed;
    std::vector<TNetStreamState> states;
    std::vector<std::string> titles;

    template <class Predicate>
    bool WaitFor(Clock::duration limit, Predicate predicate) {
      std::unique_lock guard(lock);
      return changed.wait_for(guard, limit, predicate);
    }
    void Record(TNetStreamState state, const std::string& title) {
      {
        std::lock_guard guard(lock);
        if (states.empty() || states.back() != state) states.push_back(state);
        if (!title.empty() && (titles.empty() || titles.back() != title)) titles.push_back(title);
      }
      changed.notify_all();
    }
  };

  std::shared_ptr<TLog> log_;
};

// Reads until `count` bytes have come, the stream ends or `limit` passes;
// each Read only once bytes are ready, so that no read outlasts the limit.
inline std::string ReadUpTo(THttpStream& stream, std::size_t count, Clock::duration limit) {
  const Clock::time_point deadline = Clock::now() + limit;
  std::string bytes;
  char buffer[4096];
  while (bytes.size() < count && Clock::now() < deadline) {
    if (!stream.WaitReady(1, 20)) continue;
    const std::int64_t got = stream.Read(buffer, std::min<std::int64_t>(sizeof buffer, count - bytes.size()));
    if (got == 0) break;
    bytes.append(buffer, std::size_t(got));
  }
  return bytes;
}

// Bytes compared without printing megabytes: where they first differ.
inline ::testing::AssertionResult SameBytes(const std::string& actual, const std::string& expected) {
  if (actual == expected) return ::testing::AssertionSuccess();
  std::size_t at = 0;
  while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
  return ::testing::AssertionFailure() << actual.size() << " bytes where " << expected.size()
                                       << " were expected, the first difference at byte " << at;
}

}  // namespace orvana::player::testing
