#pragma once
// Multi-byte integers as the file formats store them.
#include <cstdint>

namespace orvana::player {

inline std::uint32_t BigEndian32(const std::uint8_t* p) {
  return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

inline std::uint32_t LittleEndian32(const std::uint8_t* p) {
  return std::uint32_t{p[3]} << 24 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[1]} << 8 | p[0];
}

// Sizes stored as signed 32-bit values: a set top bit makes them negative.
inline std::int32_t SignedBigEndian32(const std::uint8_t* p) {
  return static_cast<std::int32_t>(BigEndian32(p));
}

}  // namespace orvana::player
