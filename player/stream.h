#pragma once
// The byte stream the player reads: read, seek and size, as a file offers.
#include <cstdint>
#include <functional>
#include <limits>
#include <stdexcept>
#include <string>

namespace orvana::player {

enum TSeekOrigin { soBeginning = 0, soCurrent = 1, soEnd = 2 };

// The size of data that runs to the stream's end, wherever that is.
inline constexpr std::int64_t kDataSizeUnknown = std::numeric_limits<std::int64_t>::max();

// Raised by streams when the system refuses an operation; the message holds
// the system's error text.
class EStreamError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TStream {
 public:
  virtual ~TStream() = default;
  // Reads up to `count` bytes; returns how many were read, 0 at the end.
  virtual std::int64_t Read(void* buffer, std::int64_t count) = 0;
  // Returns the new position.
  virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;
  virtual std::int64_t Size() = 0;

  // Streams fed from elsewhere (the network) hold what has come so far.
  // Bytes a Read returns now without waiting; kDataSizeUnknown for streams
  // whose reads never wait long (files, memory) and at a stream's end.
  virtual std::int64_t ReadyBytes() { return kDataSizeUnknown; }
  // Waits up to `milliseconds` until ReadyBytes() reaches `bytes`; true once it has.
  virtual bool WaitReady(std::int64_t /*bytes*/, int /*milliseconds*/) { return true; }
  // Calls `ready` once, on any thread, when ReadyBytes() reaches `bytes`
  // (at once when it has). Another call replaces it; an empty function
  // withdraws it, and none comes once that returns.
  virtual void CallWhenReady(std::int64_t /*bytes*/, std::function<void()> ready) {
    if (ready) ready();
  }
  // A stream that carries titles (a station's): once, the latest title that
  // starts at or before byte `position` of what is read; false when none does.
  virtual bool TakeTitleStartingBefore(std::int64_t /*position*/, std::string& /*title*/) { return false; }
};

}  // namespace orvana::player
