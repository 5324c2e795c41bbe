#pragma once
// The program's own ID3v1 record: what ReadTagV1 finds and what the playlist
// columns are filled from. Texts are UTF-8, each at most the bytes its tag
// field holds.
#include <cstdint>
#include <string>

#include "app/playlist/genre_names.h"

namespace orvana::app {

struct TTagRecord {
  std::string Title;
  std::string Artist;
  std::string Album;
  std::string Year;
  std::string Comment;
  std::uint8_t Track = 0;
  std::uint8_t Genre = kNoGenre;
  std::string Version;  // "1.0", "1.1" or empty
};

}  // namespace orvana::app
