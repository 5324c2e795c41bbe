#include "app/playlist/read_tag_v1.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "app/files/file_reading.h"
#include "app/files/path_text.h"
#include "platform/text_encoding.h"
#include "player/tag_text.h"

namespace orvana::app {
namespace {

TTagRecord FileNameRecord(const std::string& path) {
  TTagRecord record;
  record.Title = std::string(platform::Utf8Prefix(FileNamePart(path), kTagV1TextBytes));
  return record;
}

std::string Field(const std::uint8_t* tag, int offset, int size) { return player::FixedText(tag + offset, size); }

void ParseTag(const std::uint8_t* tag, TTagRecord& record) {
  record.Title = Field(tag, 3, 30);
  record.Artist = Field(tag, 33, 30);
  record.Album = Field(tag, 63, 30);
  record.Year = Field(tag, 93, 4);
  // ID3v1.1 keeps the track in the comment's last byte, behind a NUL.
  if (tag[125] == 0) {
    record.Comment = Field(tag, 97, 28);
    record.Track = tag[126];
    record.Version = "1.1";
  } else {
    record.Comment = Field(tag, 97, 30);
    record.Track = 0;
    record.Version = "1.0";
  }
  record.Genre = tag[127] < kNoGenre ? tag[127] : kNoGenre;
}

// The last 128 bytes of a regular file; false when there are not that many.
bool ReadLastBytes(int fd, std::uint8_t (&tag)[kTagV1Size]) {
  struct stat status {};
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size < kTagV1Size) return false;
  std::size_t filled = 0;
  const off_t start = status.st_size - kTagV1Size;
  while (filled < sizeof tag) {
    const ssize_t got = ::pread(fd, tag + filled, sizeof tag - filled, start + static_cast<off_t>(filled));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    filled += static_cast<std::size_t>(got);
  }
  return true;
}

}  // namespace

bool ReadTagV1(const std::string& path, TTagRecord& record) {
  const TUniqueFd file = OpenForReading(path);
  if (!file && (errno == ENOENT || errno == ENOTDIR)) return false;
  std::uint8_t tag[kTagV1Size];
  if (!file || !ReadLastBytes(file.Get(), tag) || std::memcmp(tag, "TAG", 3) != 0) {
    record = FileNameRecord(path);
    return false;
  }
  ParseTag(tag, record);
  return true;
}

}  // namespace orvana::app
