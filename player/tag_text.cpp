#include "player/tag_text.h"

#include <algorithm>
#include <string_view>

#include "platform/text_encoding.h"
#include "player/assertion.h"

namespace orvana::player {

std::string FixedText(const std::uint8_t* data, std::int64_t n) {
  if (n < 1) return {};
  const auto* begin = reinterpret_cast<const char*>(data);
  std::string_view text(begin, static_cast<std::size_t>(n));
  text = text.substr(0, text.find('\0'));
  // Neither UTF-8 nor CP932 uses bytes up to 0x20 inside a character.
  while (!text.empty() && static_cast<std::uint8_t>(text.back()) <= 0x20) text.remove_suffix(1);
  return platform::FileTextToUtf8(text);
}

std::string LastPartText(const std::uint8_t* data, std::int64_t n) {
  if (n < 1) return {};
  std::int64_t start = 0;
  for (std::int64_t i = n - 2; i >= 0; --i) {
    if (data[i] == 0) {
      start = i + 1;
      break;
    }
  }
  return FixedText(data + start, n - start);
}

bool ReadRawText(TMPStreamReader& reader, std::int64_t n, std::string& bytes) {
  MPAssert(n >= 0);
  bytes.clear();
  while (n > 0) {
    const std::int64_t piece = std::min<std::int64_t>(n, reader.Capacity());
    if (!reader.Need(piece)) return false;
    bytes.append(reinterpret_cast<const char*>(reader.Data()), static_cast<std::size_t>(piece));
    reader.Skip(piece);
    n -= piece;
  }
  return true;
}

}  // namespace orvana::player
