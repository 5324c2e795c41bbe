#pragma once
// TID3v2FrameFormat: how the frames of one ID3v2 version are laid out (header
// size, size field, flags), and the body of each as its readers take it.
#include <cstdint>
#include <optional>
#include <string>

namespace orvana::player {

// One frame: its id, and its body with whatever the flags put in front passed
// and unsynchronisation undone.
struct TID3v2Frame {
  std::string id;
  std::string body;
  int majorVersion = 3;

  // The text the frame holds, as UTF-8 (see ID3v2FrameText).
  std::string Text() const;
};

class TID3v2FrameFormat {
 public:
  // `majorVersion` 2, 3 or 4; `unsynchronised`: the 2.4 tag header says every
  // frame body is unsynchronised.
  TID3v2FrameFormat(int majorVersion, bool unsynchronised);

  int HeaderSize() const { return majorVersion_ == 2 ? 6 : 10; }
  // The body size the frame header at `header` states; 0 or less: padding.
  std::int64_t BodySize(const std::uint8_t* header) const;
  // A whole frame (header, then `bodySize` bytes); none when its body cannot
  // be read (compressed, encrypted, too short).
  std::optional<TID3v2Frame> Frame(const std::uint8_t* frame, std::int64_t bodySize) const;

 private:
  std::optional<std::string> Version4Body(std::uint8_t flags, const std::uint8_t* body, std::int64_t size) const;

  int majorVersion_;
  bool unsynchronised_;
};

}  // namespace orvana::player
