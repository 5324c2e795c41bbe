#pragma once
// Tags and containers laid out in memory, for cases no fixture file shows.
#include <string>

#include "test_streams.h"

namespace orvana::player::testing {

inline std::string BigEndian(std::uint32_t v) {
  return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8), static_cast<char>(v)};
}
inline std::string LittleEndian(std::uint32_t v) {
  return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16), static_cast<char>(v >> 24)};
}
inline std::string Syncsafe(std::uint32_t v) {
  return {static_cast<char>(v >> 21 & 127), static_cast<char>(v >> 14 & 127), static_cast<char>(v >> 7 & 127),
          static_cast<char>(v & 127)};
}

inline std::string ID3v23Frame(const std::string& id, const std::string& body) {
  return id + BigEndian(static_cast<std::uint32_t>(body.size())) + std::string(2, '\0') + body;
}

inline std::string ID3v24Frame(const std::string& id, const std::string& body, char formatFlags = 0) {
  return id + Syncsafe(static_cast<std::uint32_t>(body.size())) + '\0' + formatFlags + body;
}

inline std::string ID3v22Frame(const std::string& id, const std::string& body) {
  return id + BigEndian(static_cast<std::uint32_t>(body.size())).substr(1) + body;
}

// 0x00 after each 0xFF that precedes 0x00 or 0xE0 and up, or ends the bytes.
inline std::string Unsynchronised(const std::string& bytes) {
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    out += bytes[i];
    const bool last = i + 1 == bytes.size();
    if (bytes[i] == '\xFF' && (last || bytes[i + 1] == '\0' || static_cast<std::uint8_t>(bytes[i + 1]) >= 0xE0))
      out += '\0';
  }
  return out;
}

inline std::string ID3v2Tag(const std::string& content, char version = 3, char flags = 0) {
  return std::string("ID3") + version + '\0' + flags + Syncsafe(static_cast<std::uint32_t>(content.size())) + content;
}

// 128 bytes; a track makes it ID3v1.1.
inline std::string ID3v1Tag(const std::string& title, int genre, int track = -1,
                            const std::string& comment = "") {
  std::string tag = "TAG" + title;
  tag.resize(97, '\0');
  tag += comment;
  tag.resize(125, '\0');
  if (track >= 0) tag += std::string(1, '\0') + static_cast<char>(track);
  else tag.resize(127, 'c');
  tag += static_cast<char>(genre);
  return tag;
}

inline std::string RiffChunk(const std::string& id, const std::string& body) {
  std::string chunk = id + LittleEndian(static_cast<std::uint32_t>(body.size())) + body;
  if (body.size() % 2) chunk += '\0';
  return chunk;
}

inline std::string Audio(std::size_t size = 400) { return std::string(size, '\xAA'); }

inline TBytes Bytes(const std::string& text) { return TBytes(text.begin(), text.end()); }

}  // namespace orvana::player::testing
