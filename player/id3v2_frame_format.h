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

// How a frame header stores its body size: 2.2 and 2.3 as a plain integer,
// 2.4 in 7 bits a byte; some writers use the other one.
enum class TID3v2SizeCoding { scPlain, scSynchsafe };

class TID3v2FrameFormat {
 public:
  // `majorVersion` 2, 3 or 4; `unsynchronised`: the 2.4 tag header says every
  // frame body is unsynchronised. 2.2 sizes are always plain.
  TID3v2FrameFormat(int majorVersion, bool unsynchronised, TID3v2SizeCoding sizes);
  static TID3v2SizeCoding StandardSizes(int majorVersion);

  int HeaderSize() const { return majorVersion_ == 2 ? 6 : 10; }
  // The frame id at `header` is one a writer may use: capitals and digits.
  bool HasFrameId(const std::uint8_t* header) const;
  // The body size the frame header at `header` states; -1 when its bytes
  // cannot be a size in this coding (a top bit set in 7-bit bytes, a
  // negative plain size).
  std::int64_t BodySize(const std::uint8_t* header) const;
  // A whole frame (header, then `bodySize` bytes); none when its body cannot
  // be read (compressed, encrypted, too short).
  std::optional<TID3v2Frame> Frame(const std::uint8_t* frame, std::int64_t bodySize) const;

 private:
  std::optional<std::string> Version4Body(std::uint8_t flags, const std::uint8_t* body, std::int64_t size) const;

  int majorVersion_;
  bool unsynchronised_;
  TID3v2SizeCoding sizes_;
};

}  // namespace orvana::player
