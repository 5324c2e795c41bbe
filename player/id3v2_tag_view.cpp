#include "player/id3v2_tag_view.h"

namespace orvana::player {

const std::uint8_t* TID3v2TagView::Peek(std::int64_t at, std::int64_t n) {
  if (n > reader_.Capacity()) return nullptr;
  const std::int64_t ahead = at - reader_.Position();
  if (ahead >= 0 && ahead + n <= reader_.Capacity()) return reader_.Need(ahead + n) ? reader_.Data() + ahead : nullptr;
  if (!reader_.Seekable()) return nullptr;
  reader_.Seek(at, soBeginning);
  return reader_.Need(n) ? reader_.Data() : nullptr;
}

void TID3v2TagView::Release(std::int64_t at) {
  if (at > reader_.Position()) reader_.Skip(at - reader_.Position());
}

bool TID3v2TagView::MoveTo(std::int64_t at) {
  if (at >= reader_.Position()) return reader_.Skip(at - reader_.Position());
  if (!reader_.Seekable()) return false;
  return reader_.Seek(at, soBeginning) == at;
}

}  // namespace orvana::player
