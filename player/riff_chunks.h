#pragma once
// RIFF files: the header, walking the chunks, the "data" chunk and the
// "LIST"/"INFO" texts.
#include <cstdint>
#include <optional>
#include <string_view>

#include "player/keyed_list.h"
#include "player/stream_reader.h"

namespace orvana::player {

// The 12 bytes "RIFF", size, form type; consumed when found.
bool ReadRiffHeader(TMPStreamReader& reader);

// Walks the chunks from the reader's position until one named `name` (and, when
// `listType` is given, of that list type) stands at the reader. A "LIST"/"INFO"
// chunk passed on the way is read into `passedInfo` when one is given.
bool FindChunk(TMPStreamReader& reader, std::string_view name, std::string_view listType = {},
               TKeyedList* passedInfo = nullptr);

// The "data" chunk header at the reader: consumed, its size returned.
std::optional<std::int64_t> ReadDataChunkHeader(TMPStreamReader& reader);

// A "LIST" chunk of type "INFO" at the reader: adds key=value for each text
// sub-chunk. True when the list was read to its end.
bool ReadInfoList(TMPStreamReader& reader, TKeyedList& values);

}  // namespace orvana::player
