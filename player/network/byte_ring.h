#pragma once
// TByteRing: the bounded buffer between a network transfer (one writer
// thread) and the player (readers). The writer never blocks: when a piece
// does not fit, it asks for room and is called back once the readers have
// made that much, so that it can sleep until then. Readers wait for bytes,
// the end, or a cancel.
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

namespace orvana::player {

class TByteRing {
 public:
  enum class TEnd : std::uint8_t {
    kDrain,    // what is held is still read, then the end
    kDiscard,  // what is held is dropped: every read returns 0 at once
  };

  // `onRoom` runs on a reader's thread, without the ring's lock held.
  TByteRing(std::size_t capacity, std::function<void()> onRoom);
  TByteRing(const TByteRing&) = delete;
  TByteRing& operator=(const TByteRing&) = delete;

  std::size_t Capacity() const { return bytes_.size(); }

  // The writer's side.
  std::size_t Room() const;
  // Adds `count` bytes; `count` must not exceed Room().
  void Write(const char* data, std::size_t count);
  // Calls onRoom once, as soon as Room() reaches `bytes` (at most Capacity()).
  void WantRoom(std::size_t bytes);
  // No more bytes come; wakes every waiting reader. A discard may follow a drain.
  void Finish(TEnd end);

  // The readers' side.
  // Waits until a byte is held or the ring has finished; 0 then.
  std::size_t Read(char* buffer, std::size_t count);
  // Bytes held; kDataSizeUnknown once finished (reads no longer wait).
  std::int64_t Ready() const;
  // Waits up to `milliseconds` until `bytes` are held, the ring holds all
  // it can (the writer waits for room) or it has finished.
  bool WaitReady(std::int64_t bytes, int milliseconds);
  // Bytes taken by readers so far.
  std::int64_t Taken() const;
  // Calls `ready` once, with the ring's lock held, when WaitReady(bytes)
  // would return true (at once when it would now). An empty function
  // withdraws it: none comes once that returns.
  void CallWhenReady(std::size_t bytes, std::function<void()> ready);

 private:
  bool ReadyFor(std::size_t bytes) const { return finished_ || held_ >= bytes || roomWanted_ != 0; }
  void CallReadyLocked();

  std::vector<char> bytes_;
  const std::function<void()> onRoom_;
  mutable std::mutex lock_;
  std::condition_variable changed_;
  std::size_t start_ = 0;  // where the oldest held byte is
  std::size_t held_ = 0;
  std::size_t roomWanted_ = 0;  // 0: the writer waits for nothing
  std::int64_t taken_ = 0;
  bool finished_ = false;
  std::function<void()> whenReady_;
  std::size_t whenReadyBytes_ = 0;
};

}  // namespace orvana::player
