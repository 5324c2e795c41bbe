#include "player/id3v2_tag.h"

#include <cstring>

#include "player/byte_order.h"
#include "player/id3v2_frame_text.h"
#include "player/tag_text.h"

namespace orvana::player {

namespace {

constexpr int kHeaderSize = 10;
constexpr int kFrameHeaderSize = 10;
constexpr int kExtendedHeaderMinimum = 14;
constexpr std::uint8_t kReadVersion = 3;
constexpr std::uint8_t kFlagUnsynchronised = 0x80;
constexpr std::uint8_t kFlagExtendedHeader = 0x40;
// Second frame-flag byte: the body is zlib data or encrypted, not text.
constexpr std::uint8_t kFrameCompressedOrEncrypted = 0x80 | 0x40;

// Each byte counts whole, as the player has always read it.
std::int64_t TagSize(const std::uint8_t* header) {
  return std::int64_t{header[6]} << 21 | std::int64_t{header[7]} << 14 | std::int64_t{header[8]} << 7 |
         header[9];
}

// Reads the frames of a version 2.3 tag; true when they end exactly at `end`.
bool ReadFrames(TMPStreamReader& reader, std::int64_t end, TKeyedList& values) {
  while (end - reader.Position() >= kFrameHeaderSize) {
    if (!reader.Need(kFrameHeaderSize)) return false;
    const std::int64_t frameSize = SignedBigEndian32(reader.Data() + 4);
    if (frameSize <= 0) {  // padding fills the rest of the tag
      reader.Skip(end - reader.Position());
      return reader.Position() == end;
    }
    const std::int64_t total = frameSize + kFrameHeaderSize;
    // A frame larger than the ring (a picture, say) is passed unread.
    if (total <= reader.Capacity()) {
      if (!reader.Need(total)) return false;
      const std::uint8_t* frame = reader.Data();
      if ((frame[9] & kFrameCompressedOrEncrypted) == 0) {
        std::string id = FixedText(frame, 4);
        std::string text = ID3v2FrameText(id, frame + kFrameHeaderSize, frameSize);
        values.Add(std::move(id), std::move(text));
      }
    }
    if (reader.Position() + total > end) return false;
    if (!reader.Skip(total)) return false;
  }
  return reader.Position() == end;
}

}  // namespace

std::optional<std::int64_t> PassID3v2Tag(TMPStreamReader& reader, TKeyedList& values) {
  const std::int64_t start = reader.Position();
  if (!reader.Need(kHeaderSize) || std::memcmp(reader.Data(), "ID3", 3) != 0) return std::nullopt;
  const std::uint8_t version = reader.Data()[3];
  const std::uint8_t flags = reader.Data()[5];
  const std::int64_t size = TagSize(reader.Data());
  if (size <= 0) return std::nullopt;
  const std::int64_t length = size + kHeaderSize;
  if (version != kReadVersion || (flags & kFlagUnsynchronised) != 0) {
    if (!reader.Skip(length)) return std::nullopt;
    return length;
  }
  if ((flags & kFlagExtendedHeader) != 0) {
    if (!reader.Need(kExtendedHeaderMinimum)) return std::nullopt;
    const std::int64_t extendedSize = SignedBigEndian32(reader.Data() + kHeaderSize);
    if (extendedSize < 0 || extendedSize > size) return std::nullopt;
    if (!reader.Skip(kExtendedHeaderMinimum + extendedSize)) return std::nullopt;
  } else {
    reader.Skip(kHeaderSize);
  }
  if (!ReadFrames(reader, start + length, values)) return std::nullopt;
  return length;
}

}  // namespace orvana::player
