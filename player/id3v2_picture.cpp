#include "player/id3v2_picture.h"

#include <algorithm>
#include <cstring>

#include "player/file_stream.h"
#include "player/id3v2_tag.h"
#include "player/id3v2_unsync.h"
#include "player/stream_reader.h"

namespace orvana::player {

namespace {

constexpr std::uint8_t kFrontCover = 3;
constexpr std::uint8_t kEncodingUtf16 = 1;
constexpr std::uint8_t kEncodingUtf16BigEndian = 2;
constexpr int kTagHeaderSize = 10;
constexpr int kFooterSize = 10;
// Room around the largest picture for the frames beside it.
constexpr std::int64_t kTagMargin = 64 << 10;
constexpr std::int64_t kSmallestRing = 64 << 10;

// Offset just past the NUL (one byte, or two aligned ones in UTF-16) that
// ends the text from `from`; none when the body ends first.
std::optional<std::size_t> PastTerminator(const std::string& body, std::size_t from, bool wide) {
  if (!wide) {
    const std::size_t nul = body.find('\0', from);
    return nul == std::string::npos ? std::nullopt : std::optional(nul + 1);
  }
  for (std::size_t i = from; i + 1 < body.size(); i += 2)
    if (body[i] == '\0' && body[i + 1] == '\0') return i + 2;
  return std::nullopt;
}

std::string LowerAscii(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
  return text;
}

// Writers put "jpg", "image/jpg" or a 2.2 format name where a MIME type belongs.
std::string MimeTypeOf(const std::string& stored) {
  const std::string lower = LowerAscii(stored);
  if (lower == "jpg" || lower == "jpeg" || lower == "image/jpg" || lower == "image/jpeg") return "image/jpeg";
  if (lower == "png" || lower == "image/png") return "image/png";
  return lower;
}

// The ring that holds the whole tag of `stream`, up to the largest picture read.
int RingCapacity(TStream& stream) {
  std::uint8_t header[kTagHeaderSize];
  stream.Seek(0, soBeginning);
  const std::int64_t got = stream.Read(header, sizeof header);
  stream.Seek(0, soBeginning);
  if (got != kTagHeaderSize || std::memcmp(header, "ID3", 3) != 0) return 0;
  const std::int64_t tagLength = kTagHeaderSize + SynchsafeInteger(header + 6) + kFooterSize;
  std::int64_t capacity = std::min(tagLength, kID3v2PictureLimit + kTagMargin);
  capacity = std::min(capacity, std::max<std::int64_t>(stream.Size(), 0));
  return static_cast<int>(std::max(capacity, kSmallestRing));
}

}  // namespace

std::optional<TID3v2Picture> ID3v2PictureOfFrame(const TID3v2Frame& frame) {
  const std::string& body = frame.body;
  if (body.empty()) return std::nullopt;
  const bool wide = body[0] == kEncodingUtf16 || body[0] == kEncodingUtf16BigEndian;
  TID3v2Picture picture;
  std::size_t at = 1;
  if (frame.id == "PIC") {
    if (body.size() < at + 4) return std::nullopt;
    picture.mimeType = MimeTypeOf(body.substr(at, 3));
    at += 3;
  } else {
    const auto mimeEnd = PastTerminator(body, at, false);
    if (!mimeEnd) return std::nullopt;
    picture.mimeType = MimeTypeOf(body.substr(at, *mimeEnd - 1 - at));
    at = *mimeEnd;
  }
  if (at >= body.size()) return std::nullopt;
  picture.pictureType = static_cast<std::uint8_t>(body[at++]);
  const auto dataStart = PastTerminator(body, at, wide);
  if (!dataStart || *dataStart >= body.size()) return std::nullopt;
  picture.bytes = body.substr(*dataStart);
  return picture;
}

std::optional<TID3v2Picture> ReadID3v2Picture(TStream& stream) {
  const int capacity = RingCapacity(stream);
  if (capacity == 0) return std::nullopt;
  TMPStreamReader reader(capacity);
  reader.Open(&stream, true);
  std::optional<TID3v2Picture> chosen;
  PassID3v2Tag(reader, [&chosen](const TID3v2Frame& frame) {
    if (frame.id != "APIC" && frame.id != "PIC") return;
    if (chosen && chosen->pictureType == kFrontCover) return;
    if (frame.body.size() > static_cast<std::size_t>(kID3v2PictureLimit)) return;
    std::optional<TID3v2Picture> picture = ID3v2PictureOfFrame(frame);
    if (picture && (!chosen || picture->pictureType == kFrontCover)) chosen = std::move(picture);
  });
  return chosen;
}

std::optional<TID3v2Picture> ReadID3v2PictureOfFile(const std::string& path) {
  try {
    TMPFileStream stream(path);
    if (!stream.CanSeek()) return std::nullopt;
    return ReadID3v2Picture(stream);
  } catch (const EStreamError&) {
    return std::nullopt;
  }
}

}  // namespace orvana::player
