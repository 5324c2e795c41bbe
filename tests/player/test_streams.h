#pragma once
// Streams over bytes in memory for the player's tests, and the fixtures.
#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "player/stream.h"

namespace orvana::player::testing {

using TBytes = std::vector<std::uint8_t>;

// Counts what the reader asks of it; may refuse to seek like a pipe.
class TMemoryStream : public TStream {
 public:
  explicit TMemoryStream(TBytes bytes, bool canSeek = true) : bytes_(std::move(bytes)), canSeek_(canSeek) {}

  std::int64_t Read(void* buffer, std::int64_t count) override {
    ++reads;
    const std::int64_t size = static_cast<std::int64_t>(bytes_.size());
    const std::int64_t got = std::clamp<std::int64_t>(size - position_, 0, count);
    if (got > 0) std::memcpy(buffer, bytes_.data() + position_, static_cast<std::size_t>(got));
    position_ += got;
    bytesRead += got;
    requested.push_back(count);
    return got;
  }
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override {
    if (!canSeek_) throw EStreamError("not seekable");
    const std::int64_t base = origin == soBeginning ? 0 : origin == soCurrent ? position_ : Size();
    if (base + offset < 0) throw EStreamError("negative position");
    position_ = base + offset;
    return position_;
  }
  std::int64_t Size() override { return static_cast<std::int64_t>(bytes_.size()); }
  std::int64_t StreamPosition() const { return position_; }

  int reads = 0;
  std::int64_t bytesRead = 0;
  std::vector<std::int64_t> requested;

 private:
  TBytes bytes_;
  std::int64_t position_ = 0;
  bool canSeek_;
};

// Bytes 0, 1, 2, ... 255, 0, ... so that any offset can be checked.
inline TBytes CountingBytes(std::size_t size) {
  TBytes bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i);
  return bytes;
}

inline std::string DataPath(const std::string& name) { return std::string(ORVANA_TEST_DATA_DIR) + "/" + name; }

inline TBytes ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("missing file " + path);
  return TBytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The tag fixtures under tests/data/tags.
inline TBytes Fixture(const std::string& name) { return ReadBytes(DataPath("tags/" + name)); }

inline void Append(TBytes& bytes, const std::string& text) { bytes.insert(bytes.end(), text.begin(), text.end()); }

}  // namespace orvana::player::testing
