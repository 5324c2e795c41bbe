#pragma once
// The picture an ID3v2 tag carries (APIC in 2.3 and 2.4, PIC in 2.2), read
// on demand for one song: the tag reader that fills the playlist passes
// pictures unread.
#include <cstdint>
#include <optional>
#include <string>

#include "player/id3v2_frame_format.h"
#include "player/stream.h"

namespace orvana::player {

// Pictures larger than this are taken for damage, never read.
constexpr std::int64_t kID3v2PictureLimit = 16 << 20;

// A picture frame's parts: the description is passed over.
struct TID3v2Picture {
  std::string mimeType;  // "image/jpeg", "image/png", as stored otherwise; may be empty
  int pictureType = 0;   // 3 is the front cover
  std::string bytes;     // the image file's bytes
};

// The picture in one APIC or PIC frame; none when the body is cut short or holds no bytes.
std::optional<TID3v2Picture> ID3v2PictureOfFrame(const TID3v2Frame& frame);

// The front cover of the tag at the start of `stream`, else its first
// picture; none without a tag, a picture, or when the tag is damaged where
// a picture lies. The stream is read from its start.
std::optional<TID3v2Picture> ReadID3v2Picture(TStream& stream);

// ReadID3v2Picture of the file at `path`; none when it cannot be opened.
std::optional<TID3v2Picture> ReadID3v2PictureOfFile(const std::string& path);

}  // namespace orvana::player
