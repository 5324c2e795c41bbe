#pragma once
// TBytesStream: bytes in memory as a stream; a tag undone from
// unsynchronisation is read through it by the same loop as a plain tag.
#include <algorithm>
#include <cstring>
#include <string_view>

#include "player/stream.h"

namespace orvana::player {

class TBytesStream : public TStream {
 public:
  // The bytes are not copied and must outlive the stream.
  explicit TBytesStream(std::string_view bytes) : bytes_(bytes) {}
  TBytesStream(const TBytesStream&) = delete;
  TBytesStream& operator=(const TBytesStream&) = delete;

  std::int64_t Read(void* buffer, std::int64_t count) override {
    const std::int64_t got = std::clamp<std::int64_t>(Length() - position_, 0, count);
    if (got > 0) std::memcpy(buffer, bytes_.data() + position_, static_cast<std::size_t>(got));
    position_ += got;
    return got;
  }
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override {
    const std::int64_t base = origin == soBeginning ? 0 : origin == soCurrent ? position_ : Length();
    if (base + offset < 0) throw EStreamError("seek before the start of the bytes");
    position_ = base + offset;
    return position_;
  }
  std::int64_t Size() override { return Length(); }
  std::int64_t StreamPosition() const { return position_; }

 private:
  // Not the virtual Size, which a test stream may make fail.
  std::int64_t Length() const { return static_cast<std::int64_t>(bytes_.size()); }

  std::string_view bytes_;
  std::int64_t position_ = 0;
};

}  // namespace orvana::player
