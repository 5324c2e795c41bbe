#include "player/seek_table.h"

#include <mutex>

#include "player/assertion.h"

namespace orvana::player {

void TMPSeekTable::Clear() {
  std::lock_guard lock(*this);
  offsets_.clear();
}

void TMPSeekTable::Add(std::int64_t offset) {
  std::lock_guard lock(*this);
  offsets_.push_back(offset);
}

int TMPSeekTable::Count() const {
  std::lock_guard lock(*this);
  return static_cast<int>(offsets_.size());
}

std::int64_t TMPSeekTable::At(int index) const {
  std::lock_guard lock(*this);
  MPAssert(index >= 0 && index < static_cast<int>(offsets_.size()));
  return offsets_[static_cast<size_t>(index)];
}

}  // namespace orvana::player
