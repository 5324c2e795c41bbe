#include "player/id3v2_frame_text.h"

#include "platform/text_encoding.h"
#include "player/tag_text.h"

namespace orvana::player {

namespace {

constexpr std::uint8_t kEncodingUtf16 = 1;
constexpr std::int64_t kLanguageSize = 3;

// Offset of the first NUL code unit, or `size` when none.
std::int64_t Utf16End(const std::uint8_t* text, std::int64_t size) {
  for (std::int64_t i = 0; i + 1 < size; i += 2)
    if (text[i] == 0 && text[i + 1] == 0) return i;
  return size;
}

// UTF-16 up to its terminator; little-endian unless a byte-order mark says otherwise.
std::string Utf16Text(const std::uint8_t* text, std::int64_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(text), static_cast<std::size_t>(Utf16End(text, size)));
  return platform::Utf16ToUtf8(bytes, platform::TUtf16Order::utfLittleEndian);
}

// A UTF-16 comment: language, description and its terminator, then the text.
std::string Utf16CommentText(const std::uint8_t* body, std::int64_t size) {
  if (size < kLanguageSize) return {};
  const std::uint8_t* description = body + kLanguageSize;
  const std::int64_t rest = size - kLanguageSize;
  const std::int64_t terminator = Utf16End(description, rest);
  if (terminator + 2 > rest) return {};
  return Utf16Text(description + terminator + 2, rest - terminator - 2);
}

}  // namespace

std::string ID3v2FrameText(std::string_view id, const std::uint8_t* body, std::int64_t size) {
  if (size < 1) return {};
  const std::uint8_t encoding = body[0];
  const std::uint8_t* text = body + 1;
  const std::int64_t textSize = size - 1;
  const bool isComment = id == "COMM";
  if (encoding == kEncodingUtf16 && isComment) return Utf16CommentText(text, textSize);
  if (encoding == kEncodingUtf16 && id.starts_with('T')) return Utf16Text(text, textSize - textSize % 2);
  if (isComment || id == "WXXX") return LastPartText(text, textSize);
  return FixedText(text, textSize);
}

}  // namespace orvana::player
