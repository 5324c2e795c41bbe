#include "player/id3v2_frame_format.h"

#include <algorithm>
#include <string_view>

#include "player/byte_order.h"
#include "player/id3v2_frame_text.h"
#include "player/id3v2_unsync.h"
#include "player/tag_text.h"

namespace orvana::player {

namespace {

// Second flag byte of a 2.3 frame: the body is zlib data or encrypted, unreadable here.
constexpr std::uint8_t kVersion3Packed = 0x80 | 0x40;
// Second flag byte of a 2.4 frame.
constexpr std::uint8_t kVersion4Grouping = 0x40;
constexpr std::uint8_t kVersion4Packed = 0x08 | 0x04;  // compressed or encrypted
constexpr std::uint8_t kVersion4Unsynchronised = 0x02;
constexpr std::uint8_t kVersion4DataLength = 0x01;
constexpr std::int64_t kGroupingSize = 1;
constexpr std::int64_t kDataLengthSize = 4;

}  // namespace

std::string TID3v2Frame::Text() const {
  return ID3v2FrameText(id, reinterpret_cast<const std::uint8_t*>(body.data()), static_cast<std::int64_t>(body.size()),
                        majorVersion);
}

TID3v2FrameFormat::TID3v2FrameFormat(int majorVersion, bool unsynchronised, TID3v2SizeCoding sizes)
    : majorVersion_(majorVersion), unsynchronised_(unsynchronised), sizes_(sizes) {}

TID3v2SizeCoding TID3v2FrameFormat::StandardSizes(int majorVersion) {
  return majorVersion == 4 ? TID3v2SizeCoding::scSynchsafe : TID3v2SizeCoding::scPlain;
}

bool TID3v2FrameFormat::HasFrameId(const std::uint8_t* header) const {
  const int length = majorVersion_ == 2 ? 3 : 4;
  for (int i = 0; i < length; ++i)
    if (!((header[i] >= 'A' && header[i] <= 'Z') || (header[i] >= '0' && header[i] <= '9'))) return false;
  return true;
}

std::int64_t TID3v2FrameFormat::BodySize(const std::uint8_t* header) const {
  if (majorVersion_ == 2) return std::int64_t{header[3]} << 16 | std::int64_t{header[4]} << 8 | header[5];
  const std::uint8_t* size = header + 4;
  if (sizes_ == TID3v2SizeCoding::scPlain) return std::max<std::int64_t>(-1, SignedBigEndian32(size));
  if (((size[0] | size[1] | size[2] | size[3]) & 0x80) != 0) return -1;
  return SynchsafeInteger(size);
}

std::optional<TID3v2Frame> TID3v2FrameFormat::Frame(const std::uint8_t* frame, std::int64_t bodySize) const {
  const std::uint8_t* body = frame + HeaderSize();
  std::string id = FixedText(frame, majorVersion_ == 2 ? 3 : 4);
  if (majorVersion_ == 3 && (frame[9] & kVersion3Packed) != 0) return std::nullopt;
  if (majorVersion_ != 4) {
    const auto* bytes = reinterpret_cast<const char*>(body);
    return TID3v2Frame{std::move(id), std::string(bytes, static_cast<std::size_t>(bodySize)), majorVersion_};
  }
  std::optional<std::string> undone = Version4Body(frame[9], body, bodySize);
  if (!undone) return std::nullopt;
  return TID3v2Frame{std::move(id), std::move(*undone), majorVersion_};
}

std::optional<std::string> TID3v2FrameFormat::Version4Body(std::uint8_t flags, const std::uint8_t* body,
                                                           std::int64_t size) const {
  if ((flags & kVersion4Packed) != 0) return std::nullopt;
  // The group byte and the stated length of the undone body come first.
  const std::int64_t skipped = ((flags & kVersion4Grouping) != 0 ? kGroupingSize : 0) +
                                ((flags & kVersion4DataLength) != 0 ? kDataLengthSize : 0);
  if (skipped >= size) return std::nullopt;  // not even an encoding byte left
  const std::string_view stored(reinterpret_cast<const char*>(body + skipped),
                                static_cast<std::size_t>(size - skipped));
  if (unsynchronised_ || (flags & kVersion4Unsynchronised) != 0) return Resynchronised(stored);
  return std::string(stored);
}

}  // namespace orvana::player
