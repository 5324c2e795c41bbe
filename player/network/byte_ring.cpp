#include "player/network/byte_ring.h"

#include <algorithm>
#include <chrono>
#include <cstring>

#include "player/stream.h"

namespace orvana::player {

TByteRing::TByteRing(std::size_t capacity, std::function<void()> onRoom)
    : bytes_(std::max<std::size_t>(capacity, 1)), onRoom_(std::move(onRoom)) {}

std::size_t TByteRing::Room() const {
  std::lock_guard guard(lock_);
  return bytes_.size() - held_;
}

void TByteRing::Write(const char* data, std::size_t count) {
  {
    std::lock_guard guard(lock_);
    if (finished_) return;
    count = std::min(count, bytes_.size() - held_);
    std::size_t at = (start_ + held_) % bytes_.size();
    for (std::size_t left = count; left > 0;) {
      const std::size_t piece = std::min(left, bytes_.size() - at);
      std::memcpy(bytes_.data() + at, data, piece);
      data += piece;
      left -= piece;
      at = (at + piece) % bytes_.size();
    }
    held_ += count;
    CallReadyLocked();
  }
  changed_.notify_all();
}

void TByteRing::WantRoom(std::size_t bytes) {
  bool roomAlready;
  {
    std::lock_guard guard(lock_);
    roomWanted_ = std::clamp<std::size_t>(bytes, 1, bytes_.size());
    roomAlready = bytes_.size() - held_ >= roomWanted_;
    if (roomAlready) roomWanted_ = 0;
    CallReadyLocked();
  }
  changed_.notify_all();  // a ring that takes no more is as ready as it gets
  if (roomAlready && onRoom_) onRoom_();
}

void TByteRing::Finish(TEnd end) {
  {
    std::lock_guard guard(lock_);
    if (finished_ && end == TEnd::kDrain) return;
    finished_ = true;
    if (end == TEnd::kDiscard) held_ = 0;
    CallReadyLocked();
  }
  changed_.notify_all();
}

std::size_t TByteRing::Read(char* buffer, std::size_t count) {
  if (count == 0) return 0;
  bool wakeWriter = false;
  std::size_t got;
  {
    std::unique_lock guard(lock_);
    changed_.wait(guard, [&] { return finished_ || held_ > 0; });
    got = std::min(count, held_);
    for (std::size_t left = got; left > 0;) {
      const std::size_t piece = std::min(left, bytes_.size() - start_);
      std::memcpy(buffer, bytes_.data() + start_, piece);
      buffer += piece;
      left -= piece;
      start_ = (start_ + piece) % bytes_.size();
    }
    held_ -= got;
    taken_ += static_cast<std::int64_t>(got);
    if (roomWanted_ != 0 && bytes_.size() - held_ >= roomWanted_) {
      roomWanted_ = 0;
      wakeWriter = true;
    }
  }
  if (wakeWriter && onRoom_) onRoom_();
  return got;
}

std::int64_t TByteRing::Ready() const {
  std::lock_guard guard(lock_);
  return finished_ ? kDataSizeUnknown : static_cast<std::int64_t>(held_);
}

bool TByteRing::WaitReady(std::int64_t bytes, int milliseconds) {
  const auto wanted = static_cast<std::size_t>(std::max<std::int64_t>(bytes, 0));
  std::unique_lock guard(lock_);
  return changed_.wait_for(guard, std::chrono::milliseconds(std::max(milliseconds, 0)),
                           [&] { return ReadyFor(wanted); });
}

void TByteRing::CallWhenReady(std::size_t bytes, std::function<void()> ready) {
  std::lock_guard guard(lock_);
  whenReady_ = std::move(ready);
  whenReadyBytes_ = bytes;
  CallReadyLocked();
}

void TByteRing::CallReadyLocked() {
  if (!whenReady_ || !ReadyFor(whenReadyBytes_)) return;
  const std::function<void()> ready = std::move(whenReady_);
  whenReady_ = nullptr;
  ready();
}

std::int64_t TByteRing::Taken() const {
  std::lock_guard guard(lock_);
  return taken_;
}

}  // namespace orvana::player
