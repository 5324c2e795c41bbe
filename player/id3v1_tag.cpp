#include "player/id3v1_tag.h"

#include <cstring>
#include <string>

#include "player/assertion.h"
#include "player/id3_genre_names.h"
#include "player/tag_text.h"

namespace orvana::player {

bool ReadID3v1Tag(TMPStreamReader& reader, std::int64_t position, TKeyedList& values) {
  MPAssert(reader.Seekable());
  reader.Seek(position, soBeginning);
  if (!reader.Need(kID3v1TagSize)) return false;
  const std::uint8_t* tag = reader.Data();
  if (std::memcmp(tag, "TAG", 3) != 0) return false;
  values.Add("TITLE", FixedText(tag + 3, 30));
  values.Add("ARTIST", FixedText(tag + 33, 30));
  values.Add("ALBUM", FixedText(tag + 63, 30));
  values.Add("YEAR", FixedText(tag + 93, 4));
  values.Add("COMMENT", FixedText(tag + 97, 30));
  const std::uint8_t genre = tag[127];
  values.Add("GENRE", std::string(ID3GenreNames[genre]));
  values.Add("GENREIDX", std::to_string(genre));
  // ID3v1.1 keeps the track in the comment's last byte, behind a NUL.
  if (tag[125] == 0) values.Add("TRACK", std::to_string(tag[126]));
  return reader.Skip(kID3v1TagSize);
}

}  // namespace orvana::player
