#pragma once
// The play position of a sound server's stream between its timing reports:
// the last report's position moved on by the clock, never back, never beyond
// what the server was sent, and while the server does not play (before it
// starts, once it ran dry) never beyond what it had read. In frames.
#include <chrono>
#include <cstdint>
#include <limits>

namespace orvana::platform {

class PulsePlayClock {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr int64_t kUnlimited = std::numeric_limits<int64_t>::max();

  explicit PulsePlayClock(uint32_t rate) : rate_(rate) {}

  // A timing report: at `when` the position was `frame` (it may be behind
  // the position already given out), and it may move up to `limit`.
  void Anchor(Clock::time_point when, int64_t frame, int64_t limit) {
    anchored_ = true;
    anchorTime_ = when;
    anchorFrame_ = frame;
    limit_ = limit;
  }
  // The position stops where it is at `now` until the next report.
  void Hold(Clock::time_point now, int64_t sent) {
    Position(now, sent);
    anchored_ = false;
  }
  // Back to 0, held until the next report.
  void Restart() {
    anchored_ = false;
    last_ = 0;
  }

  // Whether it moves with the clock: a report came since the last Hold.
  bool Moving() const { return anchored_; }
  // Whether the server played at the last report (the position is not held
  // at what it had read).
  bool Playing() const { return anchored_ && limit_ == kUnlimited; }

  // The position at `when` with `sent` frames on the server, not given out.
  int64_t Projected(Clock::time_point when, int64_t sent) const {
    if (!anchored_) return last_;
    const auto elapsed = std::chrono::duration_cast<std::chrono::microseconds>(when - anchorTime_).count();
    int64_t position = anchorFrame_ + elapsed * static_cast<int64_t>(rate_) / 1'000'000;
    if (position > limit_) position = limit_;
    if (position > sent) position = sent;
    return position > last_ ? position : last_;
  }
  // The position at `now`, given out: later ones are never behind it.
  int64_t Position(Clock::time_point now, int64_t sent) {
    last_ = Projected(now, sent);
    return last_;
  }
  // The last position given out.
  int64_t Last() const { return last_; }

  // When the position reaches `frame` if it keeps moving (rounded up).
  Clock::time_point TimeOf(int64_t frame) const {
    const int64_t ahead = frame - anchorFrame_;
    return anchorTime_ + std::chrono::microseconds((ahead * 1'000'000 + rate_ - 1) / rate_);
  }

 private:
  const uint32_t rate_;
  bool anchored_ = false;
  Clock::time_point anchorTime_{};
  int64_t anchorFrame_ = 0;
  int64_t limit_ = kUnlimited;
  int64_t last_ = 0;
};


// How far a timing report lets the position go while the server does not
// play: up to what it has read, since it has not started yet or ran dry. A
// stream that ran dry may keep back a little of what it was sent for good
// (PipeWire's resampler holds a few milliseconds for the input that would
// follow): a rest that short counts as played at once, and so does any rest
// that has not moved for `stall`, so that nothing waits for sound the server
// will never play.
class PulseReadWatch {
 public:
  using Clock = std::chrono::steady_clock;

  PulseReadWatch(int64_t heldBackFrames, Clock::duration stall) : heldBack_(heldBackFrames), stall_(stall) {}

  // The limit of PulsePlayClock::Anchor for a report at `now`.
  int64_t Limit(bool playing, int64_t read, int64_t sent, Clock::time_point now) {
    const bool stuck = known_ && read == lastRead_ && read > 0;
    if (!stuck) movedAt_ = now;
    known_ = true;
    lastRead_ = read;
    if (playing) return PulsePlayClock::kUnlimited;
    const bool keptBack = (read > 0 && sent - read <= heldBack_) || (stuck && now - movedAt_ >= stall_);
    return keptBack ? sent : read;
  }
  // After a reset the server's count starts anew.
  void Forget() { known_ = false; }

 private:
  const int64_t heldBack_;
  const Clock::duration stall_;
  bool known_ = false;
  int64_t lastRead_ = 0;
  Clock::time_point movedAt_{};
};

}  // namespace orvana::platform
