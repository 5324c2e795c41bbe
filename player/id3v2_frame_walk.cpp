#include "player/id3v2_frame_walk.h"

#include <algorithm>
#include <cstring>

#include "engine/frame_header.h"

namespace orvana::player {

namespace {

// Zeros looked through for the audio behind the frames; longer padding is padding.
constexpr std::int64_t kPaddingLook = 65536;
constexpr std::int64_t kZeroChunk = 4096;
constexpr int kMpegHeaderSize = 4;

// Zeros for a frame header's length from `stop`, or up to the tag's end.
bool PaddingAt(TID3v2TagView& view, std::int64_t stop, std::int64_t end, int headerSize) {
  const std::int64_t n = std::min<std::int64_t>(headerSize, end - stop);
  const std::uint8_t* bytes = view.Peek(stop, n);
  return bytes != nullptr && std::all_of(bytes, bytes + n, [](std::uint8_t b) { return b == 0; });
}

// Length of the MPEG frame whose header is at `bytes`, padding included; 0 when none.
int MpegFrameLength(const std::uint8_t* bytes) {
  engine::FrameHeader header;
  const int length = engine::ParseFrameHeader(bytes, 0, header);
  if (length <= 0 || header.layerCode < engine::kLayerIIICode || header.layerCode > engine::kLayerICode) return 0;
  return length + header.paddingBit * engine::PaddingSlotBytes(header.layerCode);
}

// An MPEG frame at `at`, and after it one of the same version, layer and
// sampling frequency, unless the stream shows nothing more.
bool StartsAudio(TID3v2TagView& view, std::int64_t at) {
  const std::uint8_t* bytes = view.Peek(at, kMpegHeaderSize);
  if (bytes == nullptr) return false;
  std::uint8_t first[kMpegHeaderSize];
  std::memcpy(first, bytes, sizeof first);
  const int length = MpegFrameLength(first);
  if (length <= 0) return false;
  const std::uint8_t* next = view.Peek(at + length, kMpegHeaderSize);
  if (next == nullptr) return true;
  return next[0] == first[0] && (next[1] & 0xFE) == (first[1] & 0xFE) && (next[2] & 0x0C) == (first[2] & 0x0C);
}

bool EndsWell(TID3v2TagView& view, const TID3v2Walk& walk, std::int64_t end, int headerSize) {
  if (walk.end == TID3v2WalkEnd::weTagEnd) return true;
  if (walk.end != TID3v2WalkEnd::weStopped) return false;
  return PaddingAt(view, walk.stop, end, headerSize) || AudioInsideTag(view, walk.stop, end, false);
}

}  // namespace

TID3v2Walk WalkID3v2Frames(TID3v2TagView& view, std::int64_t start, std::int64_t end,
                           const TID3v2FrameFormat& format, const TID3v2FrameVisit* visit) {
  const int headerSize = format.HeaderSize();
  std::int64_t at = start;
  // Every step passes at least a frame header, so the walk is bounded by the tag.
  for (;;) {
    if (at == end) return {at, TID3v2WalkEnd::weTagEnd};
    if (end - at < headerSize) return {at, TID3v2WalkEnd::weStopped};
    if (visit != nullptr) view.Release(at);
    const std::uint8_t* header = view.Peek(at, headerSize);
    if (header == nullptr) return {at, TID3v2WalkEnd::weUnseen};
    if (!format.HasFrameId(header)) return {at, TID3v2WalkEnd::weStopped};
    const std::int64_t bodySize = format.BodySize(header);
    if (bodySize < 0) return {at, TID3v2WalkEnd::weStopped};
    if (bodySize > end - at - headerSize) return {at, TID3v2WalkEnd::weOverrun};
    if (bodySize > 0 && visit != nullptr) (*visit)(at, bodySize);
    at += headerSize + bodySize;
  }
}

TID3v2SizeCoding ChooseID3v2Sizes(TID3v2TagView& view, std::int64_t start, std::int64_t end, int majorVersion,
                                  bool unsynchronised) {
  const TID3v2SizeCoding standard = TID3v2FrameFormat::StandardSizes(majorVersion);
  if (majorVersion == 2) return standard;
  const TID3v2FrameFormat standardFormat(majorVersion, unsynchronised, standard);
  const TID3v2Walk standardWalk = WalkID3v2Frames(view, start, end, standardFormat);
  // A walk the stream cannot show may still be right: the standard reading stands.
  if (standardWalk.end == TID3v2WalkEnd::weUnseen || EndsWell(view, standardWalk, end, standardFormat.HeaderSize()))
    return standard;
  const TID3v2SizeCoding other =
      standard == TID3v2SizeCoding::scPlain ? TID3v2SizeCoding::scSynchsafe : TID3v2SizeCoding::scPlain;
  const TID3v2FrameFormat otherFormat(majorVersion, unsynchronised, other);
  const TID3v2Walk otherWalk = WalkID3v2Frames(view, start, end, otherFormat);
  return EndsWell(view, otherWalk, end, otherFormat.HeaderSize()) ? other : standard;
}

std::optional<std::int64_t> AudioInsideTag(TID3v2TagView& view, std::int64_t stop, std::int64_t end,
                                           bool release) {
  const std::int64_t limit = std::min(end, stop + kPaddingLook);
  const std::int64_t chunk = std::max<std::int64_t>(1, std::min<std::int64_t>(kZeroChunk, view.Capacity() / 2));
  std::int64_t at = stop;
  while (at < limit) {
    if (release) view.Release(at);
    const std::int64_t n = std::min(chunk, limit - at);
    const std::uint8_t* bytes = view.Peek(at, n);
    if (bytes == nullptr) return std::nullopt;
    const std::int64_t zeros = std::find_if(bytes, bytes + n, [](std::uint8_t b) { return b != 0; }) - bytes;
    at += zeros;
    if (zeros < n) break;
  }
  if (at >= limit) return std::nullopt;
  if (release) view.Release(at);
  if (!StartsAudio(view, at)) return std::nullopt;
  return at;
}

}  // namespace orvana::player
