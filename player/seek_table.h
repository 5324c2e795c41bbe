#pragma once
// TMPSeekTable: the stream offsets of the audio frames found so far, entry k
// for frame k. A thread-safe list: every call locks it, and a caller that
// reads and extends it in one go holds it with lock()/unlock() meanwhile.
#include <cstdint>
#include <vector>

#include "player/mutex.h"

namespace orvana::player {

class TMPSeekTable {
 public:
  void Clear();
  void Add(std::int64_t offset);
  int Count() const;
  // Entry `index`, which must exist.
  std::int64_t At(int index) const;

  void lock() const { lock_.Lock(); }
  void unlock() const { lock_.Unlock(); }

 private:
  mutable TMPSimpleMutex lock_;
  std::vector<std::int64_t> offsets_;
};

}  // namespace orvana::player
