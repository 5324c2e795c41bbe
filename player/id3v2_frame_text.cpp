#include "player/id3v2_frame_text.h"

#include <algorithm>
#include <optional>

#include "platform/text_encoding.h"
#include "player/tag_text.h"

namespace orvana::player {

namespace {

constexpr std::uint8_t kEncodingUtf16 = 1;
constexpr std::uint8_t kEncodingUtf16BigEndian = 2;
constexpr std::int64_t kLanguageSize = 3;

using platform::TUtf16Order;

// The order of a UTF-16 encoding byte; none for the byte encodings.
std::optional<TUtf16Order> Utf16Order(std::uint8_t encoding, int majorVersion) {
  if (encoding == kEncodingUtf16) return TUtf16Order::utfLittleEndian;  // unless a mark says otherwise
  if (encoding == kEncodingUtf16BigEndian && majorVersion >= 4) return TUtf16Order::utfBigEndian;
  return std::nullopt;
}

// Offset of the first NUL code unit, or `size` when none.
std::int64_t Utf16End(const std::uint8_t* text, std::int64_t size) {
  for (std::int64_t i = 0; i + 1 < size; i += 2)
    if (text[i] == 0 && text[i + 1] == 0) return i;
  return size;
}

// UTF-16 up to its terminator; a byte-order mark overrides `order`.
std::string Utf16Text(const std::uint8_t* text, std::int64_t size, TUtf16Order order) {
  const std::string_view bytes(reinterpret_cast<const char*>(text), static_cast<std::size_t>(Utf16End(text, size)));
  return platform::Utf16ToUtf8(bytes, order);
}

// A UTF-16 comment: language, description and its terminator, then the text.
std::string Utf16CommentText(const std::uint8_t* body, std::int64_t size, TUtf16Order order) {
  if (size < kLanguageSize) return {};
  const std::uint8_t* description = body + kLanguageSize;
  const std::int64_t rest = size - kLanguageSize;
  const std::int64_t terminator = Utf16End(description, rest);
  if (terminator + 2 > rest) return {};
  return Utf16Text(description + terminator + 2, rest - terminator - 2, order);
}

// Offset of the first NUL byte, or `size` when none.
std::int64_t ByteTextEnd(const std::uint8_t* text, std::int64_t size) {
  for (std::int64_t i = 0; i < size; ++i)
    if (text[i] == 0) return i;
  return size;
}

}  // namespace

std::string ID3v2FrameText(std::string_view id, const std::uint8_t* body, std::int64_t size, int majorVersion) {
  if (size < 1) return {};
  const std::optional<TUtf16Order> utf16 = Utf16Order(body[0], majorVersion);
  const std::uint8_t* text = body + 1;
  const std::int64_t textSize = size - 1;
  const bool isComment = id == (majorVersion == 2 ? "COM" : "COMM");
  if (utf16 && isComment) return Utf16CommentText(text, textSize, *utf16);
  if (utf16 && id.starts_with('T')) return Utf16Text(text, textSize - textSize % 2, *utf16);
  if (isComment || id == (majorVersion == 2 ? "WXX" : "WXXX")) return LastPartText(text, textSize);
  return FixedText(text, textSize);
}

TID3v2UserText ID3v2UserText(const std::uint8_t* body, std::int64_t size, int majorVersion) {
  if (size < 1) return {};
  const std::optional<TUtf16Order> utf16 = Utf16Order(body[0], majorVersion);
  const std::uint8_t* text = body + 1;
  const std::int64_t textSize = size - 1;
  if (utf16) {
    const std::int64_t terminator = Utf16End(text, textSize);
    const std::int64_t valueStart = std::min(terminator + 2, textSize);
    const std::int64_t valueSize = (textSize - valueStart) & ~std::int64_t{1};
    return {Utf16Text(text, terminator, *utf16), Utf16Text(text + valueStart, valueSize, *utf16)};
  }
  const std::int64_t terminator = ByteTextEnd(text, textSize);
  const std::int64_t valueStart = std::min(terminator + 1, textSize);
  return {FixedText(text, terminator), FixedText(text + valueStart, textSize - valueStart)};
}

}  // namespace orvana::player
