#pragma once
// The 128-byte ID3v1 / ID3v1.1 tag at the end of the audio data.
#include <cstdint>

#include "player/keyed_list.h"
#include "player/stream_reader.h"

namespace orvana::player {

inline constexpr int kID3v1TagSize = 128;

// Looks for the tag at `position` of a seekable reader and adds TITLE, ARTIST,
// ALBUM, YEAR, COMMENT, GENRE, GENREIDX and, for ID3v1.1, TRACK.
bool ReadID3v1Tag(TMPStreamReader& reader, std::int64_t position, TKeyedList& values);

}  // namespace orvana::player
