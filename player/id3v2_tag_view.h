#pragma once
// TID3v2TagView: the bytes of a tag and of what follows it, looked at by
// their place in the stream without being consumed, so that the frames can
// be walked more than once before they are read.
#include <cstdint>

#include "player/stream_reader.h"

namespace orvana::player {

class TID3v2TagView {
 public:
  explicit TID3v2TagView(TMPStreamReader& reader) : reader_(reader) {}

  // `n` bytes (at most the reader's capacity) at stream position `at`,
  // valid until the next call. None when the stream ends first, or when an
  // unseekable stream cannot show them: behind the reader, or further ahead
  // than its ring holds.
  const std::uint8_t* Peek(std::int64_t at, std::int64_t n);
  // What lies before `at` will not be looked at again: the reader passes it.
  void Release(std::int64_t at);
  // The reader to stand at `at`; false when it cannot.
  bool MoveTo(std::int64_t at);

  int Capacity() const { return reader_.Capacity(); }

 private:
  TMPStreamReader& reader_;
};

}  // namespace orvana::player
