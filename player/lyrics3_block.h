#pragma once
// Lyrics3 blocks (versions 1 and 2), which sit just before an ID3v1 tag.
#include <cstdint>

#include "player/keyed_list.h"
#include "player/stream_reader.h"

namespace orvana::player {

struct TLyrics3Result {
  bool read = false;
  std::int64_t position = 0;  // stream offset of "LYRICSBEGIN"
};

// Looks for a block ending at `blockEnd` of a seekable reader. Version 1 adds
// its text as LYRICS; version 2 adds each field under its 3-letter name.
TLyrics3Result ReadLyrics3Block(TMPStreamReader& reader, std::int64_t blockEnd, TKeyedList& values);

}  // namespace orvana::player
