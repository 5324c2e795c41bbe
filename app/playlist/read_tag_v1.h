#pragma once
// The playlist's ID3v1 reader: the 128 bytes at the end of a file.
#include <string>

#include "app/playlist/tag_record.h"

namespace orvana::app {

inline constexpr int kTagV1Size = 128;
inline constexpr std::size_t kTagV1TextBytes = 30;

// True when the file ends in an ID3v1 (or v1.1) tag, whose fields then fill
// `record`. A file that does not exist leaves `record` as it was; any other
// file without a readable tag (too short, unreadable, not a regular file)
// gives the record of its file name: Title the file name cut to 30 bytes, the
// rest empty, no genre.
bool ReadTagV1(const std::string& path, TTagRecord& record);

}  // namespace orvana::app
