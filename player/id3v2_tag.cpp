#include "player/id3v2_tag.h"

#include <cstring>
#include <string>

#include "player/byte_order.h"
#include "player/bytes_stream.h"
#include "player/id3v2_frame_format.h"
#include "player/id3v2_unsync.h"
#include "player/tag_text.h"

namespace orvana::player {

namespace {

constexpr int kHeaderSize = 10;
constexpr int kFooterSize = 10;
constexpr int kExtendedSizeField = 4;
constexpr std::int64_t kVersion4ExtendedMinimum = 6;
constexpr std::uint8_t kFlagUnsynchronised = 0x80;
constexpr std::uint8_t kFlagExtendedHeader = 0x40;  // 2.3 and 2.4
constexpr std::uint8_t kFlagCompressed = 0x40;      // 2.2, whose compression was never defined
constexpr std::uint8_t kFlagFooter = 0x10;          // 2.4
// An unsynchronised tag is undone in memory; larger ones are passed unread.
constexpr std::int64_t kResynchronisedLimit = 16 << 20;

struct TTagHeader {
  std::uint8_t version;
  std::uint8_t flags;
  std::int64_t size;  // after the header, without a footer

  bool Has(std::uint8_t flag) const { return (flags & flag) != 0; }
  std::int64_t Length() const { return kHeaderSize + size + (version == 4 && Has(kFlagFooter) ? kFooterSize : 0); }
};

enum class TReading { rdNone, rdPlainVersion3, rdFrames, rdResynchronised };

TTagHeader ReadHeader(const std::uint8_t* header) {
  // Each size byte counts whole, as the player has always read it.
  const std::int64_t size = std::int64_t{header[6]} << 21 | std::int64_t{header[7]} << 14 |
                            std::int64_t{header[8]} << 7 | header[9];
  return {header[3], header[5], size};
}

TReading ReadingOf(const TTagHeader& header) {
  if (header.version < 2 || header.version > 4) return TReading::rdNone;
  if (header.version == 2 && header.Has(kFlagCompressed)) return TReading::rdNone;
  // In 2.4 unsynchronisation is undone frame by frame; before, over the whole tag.
  if (header.version == 4 || !header.Has(kFlagUnsynchronised))
    return header.version == 3 ? TReading::rdPlainVersion3 : TReading::rdFrames;
  return header.size <= kResynchronisedLimit ? TReading::rdResynchronised : TReading::rdNone;
}

bool SkipExtendedHeader(TMPStreamReader& reader, std::uint8_t version, std::int64_t end) {
  if (!reader.Need(kExtendedSizeField)) return false;
  const std::int64_t room = end - reader.Position();
  if (version == 4) {
    // 2.4 counts the whole extended header, its size field included.
    const std::int64_t size = SynchsafeInteger(reader.Data());
    return size >= kVersion4ExtendedMinimum && size <= room && reader.Skip(size);
  }
  const std::int64_t size = SignedBigEndian32(reader.Data());
  return size >= 0 && size <= room && reader.Skip(kExtendedSizeField + size);
}

// True when the frames end exactly at `end`, or padding fills the rest.
bool ReadFrames(TMPStreamReader& reader, std::int64_t end, const TID3v2FrameFormat& format,
                const TID3v2FrameHandler& onFrame) {
  const int headerSize = format.HeaderSize();
  while (end - reader.Position() >= headerSize) {
    if (!reader.Need(headerSize)) return false;
    const std::int64_t bodySize = format.BodySize(reader.Data());
    if (bodySize <= 0) {
      reader.Skip(end - reader.Position());
      return reader.Position() == end;
    }
    const std::int64_t total = bodySize + headerSize;
    if (reader.Position() + total > end) return false;
    // A frame larger than the ring (a picture, say) is passed unread.
    if (total <= reader.Capacity()) {
      if (!reader.Need(total)) return false;
      if (const auto frame = format.Frame(reader.Data(), bodySize)) onFrame(*frame);
    }
    if (!reader.Skip(total)) return false;
  }
  return reader.Position() == end;
}

// The body from after the tag header to `end`; true when it adds up.
bool ReadBody(TMPStreamReader& reader, const TTagHeader& header, std::int64_t end, const TID3v2FrameHandler& onFrame) {
  if (header.version != 2 && header.Has(kFlagExtendedHeader) && !SkipExtendedHeader(reader, header.version, end))
    return false;
  const TID3v2FrameFormat format(header.version, header.version == 4 && header.Has(kFlagUnsynchronised));
  return ReadFrames(reader, end, format, onFrame);
}

// Consumes the stored body and reads its frames once unsynchronisation is undone.
void ReadResynchronisedBody(TMPStreamReader& reader, const TTagHeader& header, const TID3v2FrameHandler& onFrame) {
  std::string stored;
  if (!ReadRawText(reader, header.size, stored)) return;
  const std::string body = Resynchronised(stored);
  TBytesStream stream(body);
  TMPStreamReader bodyReader(reader.Capacity());
  bodyReader.Open(&stream, true);
  ReadBody(bodyReader, header, static_cast<std::int64_t>(body.size()), onFrame);
}

}  // namespace

std::optional<std::int64_t> PassID3v2Tag(TMPStreamReader& reader, const TID3v2FrameHandler& onFrame) {
  const std::int64_t start = reader.Position();
  if (!reader.Need(kHeaderSize) || std::memcmp(reader.Data(), "ID3", 3) != 0) return std::nullopt;
  const TTagHeader header = ReadHeader(reader.Data());
  if (header.size <= 0) return std::nullopt;
  const std::int64_t length = header.Length();
  const std::int64_t bodyEnd = start + kHeaderSize + header.size;
  reader.Skip(kHeaderSize);
  switch (ReadingOf(header)) {
    case TReading::rdPlainVersion3:
      // Read as always: only frames that fill the tag exactly make it one.
      if (!ReadBody(reader, header, bodyEnd, onFrame)) return std::nullopt;
      return length;
    case TReading::rdFrames:
      ReadBody(reader, header, bodyEnd, onFrame);
      break;
    case TReading::rdResynchronised:
      ReadResynchronisedBody(reader, header, onFrame);
      break;
    case TReading::rdNone:
      break;
  }
  // These kinds were always passed whole, and still are whatever their frames
  // hold: audio behind a large tag left unpassed would never be found.
  const std::int64_t rest = start + length - reader.Position();
  if (rest < 0 || !reader.Skip(rest)) return std::nullopt;
  return length;
}

std::optional<std::int64_t> PassID3v2Tag(TMPStreamReader& reader, TKeyedList& values) {
  return PassID3v2Tag(reader, [&values](const TID3v2Frame& frame) { values.Add(frame.id, frame.Text()); });
}

}  // namespace orvana::player
