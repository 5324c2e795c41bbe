#pragma once
// Streams over bytes in memory for the player's tests, and the fixtures.
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "player/bytes_stream.h"
#include "player/stream.h"

namespace orvana::player::testing {

using TBytes = std::vector<std::uint8_t>;

namespace detail {
// Holds the bytes so that they are there before the stream over them.
struct TOwnedBytes {
  TBytes bytes;
};
}  // namespace detail

// Owns its bytes and counts what the reader asks of it; may refuse to seek like a pipe.
class TMemoryStream : private detail::TOwnedBytes, public TBytesStream {
 public:
  explicit TMemoryStream(TBytes bytes, bool canSeek = true)
      : TOwnedBytes{std::move(bytes)},
        TBytesStream(std::string_view(reinterpret_cast<const char*>(this->bytes.data()), this->bytes.size())),
        canSeek_(canSeek) {}

  std::int64_t Read(void* buffer, std::int64_t count) override {
    ++reads;
    const std::int64_t got = TBytesStream::Read(buffer, count);
    bytesRead += got;
    requested.push_back(count);
    return got;
  }
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override {
    if (!canSeek_) throw EStreamError("not seekable");
    return TBytesStream::Seek(offset, origin);
  }

  int reads = 0;
  std::int64_t bytesRead = 0;
  std::vector<std::int64_t> requested;

 private:
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
