#include "player/network/icy_metadata.h"

#include <cctype>

#include "platform/text_encoding.h"

namespace orvana::player {
namespace {

constexpr std::string_view kTitleKey = "StreamTitle";

bool IsControl(unsigned char c) { return (c < 0x20 && c != '\t' && c != '\r' && c != '\n') || c == 0x7F; }

// "Key='" at `at`: where the next field starts.
bool FieldStartsAt(std::string_view text, std::size_t at) {
  std::size_t i = at;
  if (i >= text.size() || !std::isalpha(static_cast<unsigned char>(text[i]))) return false;
  while (i < text.size() && (std::isalnum(static_cast<unsigned char>(text[i])) || text[i] == '_')) ++i;
  return text.substr(i, 2) == "='";
}

// Titles hold quotes ("Don't Stop"), so a value ends at the "';" that is
// followed by the end of the text or by the next field; failing that, at
// the first "';", and at the text's end without one.
std::size_t ValueEnd(std::string_view text, std::size_t from) {
  std::size_t first = std::string_view::npos;
  for (std::size_t at = text.find("';", from); at != std::string_view::npos; at = text.find("';", at + 1)) {
    if (first == std::string_view::npos) first = at;
    std::size_t next = at + 2;
    while (next < text.size() && std::isspace(static_cast<unsigned char>(text[next]))) ++next;
    if (next == text.size() || FieldStartsAt(text, next)) return at;
  }
  if (first != std::string_view::npos) return first;
  return text.ends_with('\'') && text.size() > from ? text.size() - 1 : text.size();
}

}  // namespace

std::optional<TIcyMetadata> ParseIcyMetadata(std::string_view block) {
  const std::string_view text = block.substr(0, block.find('\0'));
  for (const char c : text)
    if (IsControl(static_cast<unsigned char>(c))) return std::nullopt;
  TIcyMetadata metadata;
  // Field after field, so that a key inside another's value is no field.
  for (std::size_t at = 0; at < text.size();) {
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
    const std::size_t equals = text.find("='", at);
    if (equals == std::string_view::npos) break;
    const std::size_t start = equals + 2;
    const std::size_t end = ValueEnd(text, start);
    if (text.substr(at, equals - at) == kTitleKey) metadata.title = IcyTextToUtf8(text.substr(start, end - start));
    at = end + 2;
  }
  return metadata;
}

std::string IcyTextToUtf8(std::string_view bytes) {
  return platform::IsValidUtf8(bytes) ? std::string(bytes) : platform::Latin1ToUtf8(bytes);
}

}  // namespace orvana::player
