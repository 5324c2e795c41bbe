#include "player/id3v2_unsync.h"

namespace orvana::player {

std::int64_t SynchsafeInteger(const std::uint8_t* p) {
  return std::int64_t{p[0] & 0x7F} << 21 | std::int64_t{p[1] & 0x7F} << 14 | std::int64_t{p[2] & 0x7F} << 7 |
         (p[3] & 0x7F);
}

std::string Resynchronised(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    out += bytes[i];
    if (bytes[i] == '\xFF' && i + 1 < bytes.size() && bytes[i + 1] == '\0') ++i;
  }
  return out;
}

}  // namespace orvana::player
