#pragma once
// TID3v2ByteStream: bytes in memory as a stream, so that the frames of a tag
// undone from unsynchronisation are read by the same loop as a plain tag's.
#include <algorithm>
#include <cstring>
#include <string_view>

#include "player/stream.h"

namespace orvana::player {

class TID3v2ByteStream : public TStream {
 public:
  // The bytes are not copied and must outlive the stream.
  explicit TID3v2ByteStream(std::string_view bytes) : bytes_(bytes) {}

  std::int64_t Read(void* buffer, std::int64_t count) override {
    const std::int64_t got = std::clamp<std::int64_t>(Size() - position_, 0, count);
    if (got > 0) std::memcpy(buffer, bytes_.data() + position_, static_cast<std::size_t>(got));
    position_ += got;
    return got;
  }
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override {
    const std::int64_t base = origin == soBeginning ? 0 : origin == soCurrent ? position_ : Size();
    if (base + offset < 0) throw EStreamError("seek before the start of a tag");
    position_ = base + offset;
    return position_;
  }
  std::int64_t Size() override { return static_cast<std::int64_t>(bytes_.size()); }

 private:
  std::string_view bytes_;
  std::int64_t position_ = 0;
};

}  // namespace orvana::player
