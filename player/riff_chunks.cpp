#include "player/riff_chunks.h"

#include <cstring>

#include "player/byte_order.h"
#include "player/tag_text.h"

namespace orvana::player {

namespace {

constexpr int kChunkHeaderSize = 8;
constexpr int kListHeaderSize = 12;

bool HasId(const std::uint8_t* at, std::string_view id) { return std::memcmp(at, id.data(), 4) == 0; }

// Chunk sizes are unsigned; streaming writers put 0xFFFFFFFF in the "data"
// chunk, which is then cut to the file by the caller.
std::int64_t ChunkSize(const std::uint8_t* header) { return LittleEndian32(header + 4); }

std::int64_t EvenUp(std::int64_t n) { return n + (n & 1); }

// With a chunk header's 8 bytes at the reader.
bool IsInfoList(TMPStreamReader& reader) {
  return HasId(reader.Data(), "LIST") && reader.Need(kListHeaderSize) && HasId(reader.Data() + 8, "INFO");
}

// Reads the INFO list at the reader and leaves the reader at the chunk's end.
bool ReadPassedInfoList(TMPStreamReader& reader, std::int64_t chunkSize, TKeyedList& values) {
  const std::int64_t chunkEnd = reader.Position() + EvenUp(chunkSize + kChunkHeaderSize);
  ReadInfoList(reader, values);
  const std::int64_t rest = chunkEnd - reader.Position();
  return rest >= 0 && reader.Skip(rest);
}

}  // namespace

bool ReadRiffHeader(TMPStreamReader& reader) {
  if (!reader.Need(kListHeaderSize) || !HasId(reader.Data(), "RIFF")) return false;
  return reader.Skip(kListHeaderSize);
}

bool FindChunk(TMPStreamReader& reader, std::string_view name, std::string_view listType,
               TKeyedList* passedInfo) {
  while (reader.Need(kChunkHeaderSize)) {
    const std::int64_t size = ChunkSize(reader.Data());
    if (size < 1) return false;
    if (HasId(reader.Data(), name)) {
      if (listType.empty()) return true;
      if (reader.Need(kListHeaderSize) && HasId(reader.Data() + 8, listType)) return true;
    }
    if (passedInfo != nullptr && IsInfoList(reader)) {
      if (!ReadPassedInfoList(reader, size, *passedInfo)) return false;
      continue;
    }
    if (!reader.Skip(EvenUp(size + kChunkHeaderSize))) return false;
  }
  return false;
}

std::optional<std::int64_t> ReadDataChunkHeader(TMPStreamReader& reader) {
  if (!reader.Need(kChunkHeaderSize) || !HasId(reader.Data(), "data")) return std::nullopt;
  const std::int64_t size = ChunkSize(reader.Data());
  if (size <= 0) return std::nullopt;
  reader.Skip(kChunkHeaderSize);
  return size;
}

bool ReadInfoList(TMPStreamReader& reader, TKeyedList& values) {
  if (!reader.Need(kChunkHeaderSize) || !IsInfoList(reader)) return false;
  const std::int64_t listEnd = reader.Position() + ChunkSize(reader.Data()) + kChunkHeaderSize;
  reader.Skip(kListHeaderSize);
  while (reader.Position() < listEnd) {
    if (!reader.Need(kChunkHeaderSize)) return false;
    const std::uint8_t* header = reader.Data();
    std::string key = FixedText(header, 4);
    const bool isId3 = HasId(header, "IID3");
    const std::int64_t length = ChunkSize(header);
    reader.Skip(kChunkHeaderSize);
    if (isId3) return true;
    // A text longer than the ring is not kept, but the walk goes on past it.
    if (length <= reader.Capacity()) {
      if (!reader.Need(length)) return false;
      std::string value = FixedText(reader.Data(), length);
      if (!key.empty() && !value.empty()) values.Add(std::move(key), std::move(value));
    }
    if (!reader.Skip(EvenUp(length))) return false;
  }
  return true;
}

}  // namespace orvana::player
