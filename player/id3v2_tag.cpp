#include "player/id3v2_tag.h"

#include <cstring>
#include <string>

#include "player/byte_order.h"
#include "player/bytes_stream.h"
#include "player/id3v2_frame_format.h"
#include "player/id3v2_frame_walk.h"
#include "player/id3v2_tag_view.h"
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

enum class TReading { rdNone, rdFrames, rdResynchronised };

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
  if (header.version == 4 || !header.Has(kFlagUnsynchronised)) return TReading::rdFrames;
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

// The frames from the reader's position to `end`, read with the size coding that walks them.
TID3v2Walk ReadFrames(TID3v2TagView& view, std::int64_t start, std::int64_t end, const TTagHeader& header,
                      const TID3v2FrameHandler& onFrame) {
  const bool unsynchronised = header.version == 4 && header.Has(kFlagUnsynchronised);
  const TID3v2FrameFormat format(header.version, unsynchronised,
                                 ChooseID3v2Sizes(view, start, end, header.version, unsynchronised));
  const TID3v2FrameVisit read = [&](std::int64_t at, std::int64_t bodySize) {
    const std::int64_t total = format.HeaderSize() + bodySize;
    // A frame larger than the ring (a picture, say) is passed unread.
    if (total > view.Capacity()) return;
    if (const std::uint8_t* bytes = view.Peek(at, total))
      if (const auto frame = format.Frame(bytes, bodySize)) onFrame(*frame);
  };
  return WalkID3v2Frames(view, start, end, format, &read);
}

// The body from after the tag header to `end`; none when its extended header does not fit.
std::optional<TID3v2Walk> ReadBody(TMPStreamReader& reader, const TTagHeader& header, std::int64_t end,
                                   const TID3v2FrameHandler& onFrame) {
  if (header.version != 2 && header.Has(kFlagExtendedHeader) && !SkipExtendedHeader(reader, header.version, end))
    return std::nullopt;
  TID3v2TagView view(reader);
  return ReadFrames(view, reader.Position(), end, header, onFrame);
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

// Where a tag read frame by frame ends: none when it is no tag to pass.
std::optional<std::int64_t> ReadFramesTag(TMPStreamReader& reader, const TTagHeader& header, std::int64_t start,
                                          const TID3v2FrameHandler& onFrame) {
  const std::int64_t bodyEnd = start + kHeaderSize + header.size;
  // A 2.3 tag whose frames run past it, or whose extended header does not
  // fit, was never taken for one; other versions are passed whole then.
  const bool exact = header.version == 3;
  const std::optional<TID3v2Walk> walk = ReadBody(reader, header, bodyEnd, onFrame);
  if (!walk) return exact ? std::nullopt : std::optional(start + header.Length());
  switch (walk->end) {
    case TID3v2WalkEnd::weUnseen:
      return std::nullopt;
    case TID3v2WalkEnd::weOverrun:
      if (exact) return std::nullopt;
      break;
    case TID3v2WalkEnd::weStopped: {
      // A tag claiming more than it holds may hide the audio's first frames.
      TID3v2TagView view(reader);
      if (const auto audio = AudioInsideTag(view, walk->stop, bodyEnd, true)) return *audio;
      break;
    }
    case TID3v2WalkEnd::weTagEnd:
      break;
  }
  return start + header.Length();
}

}  // namespace

std::optional<std::int64_t> PassID3v2Tag(TMPStreamReader& reader, const TID3v2FrameHandler& onFrame) {
  const std::int64_t start = reader.Position();
  if (!reader.Need(kHeaderSize) || std::memcmp(reader.Data(), "ID3", 3) != 0) return std::nullopt;
  const TTagHeader header = ReadHeader(reader.Data());
  if (header.size <= 0) return std::nullopt;
  reader.Skip(kHeaderSize);
  // The other kinds were always passed whole, and still are whatever their
  // frames hold: audio behind a large tag left unpassed would never be found.
  std::optional<std::int64_t> end = start + header.Length();
  switch (ReadingOf(header)) {
    case TReading::rdFrames:
      end = ReadFramesTag(reader, header, start, onFrame);
      break;
    case TReading::rdResynchronised:
      ReadResynchronisedBody(reader, header, onFrame);
      break;
    case TReading::rdNone:
      break;
  }
  TID3v2TagView view(reader);
  if (!end || !view.MoveTo(*end)) return std::nullopt;
  return *end - start;
}

std::optional<std::int64_t> PassID3v2Tag(TMPStreamReader& reader, TKeyedList& values) {
  return PassID3v2Tag(reader, [&values](const TID3v2Frame& frame) { values.Add(frame.id, frame.Text()); });
}

}  // namespace orvana::player
