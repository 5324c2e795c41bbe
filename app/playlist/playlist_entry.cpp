#include "app/playlist/playlist_entry.h"

#include "app/files/path_text.h"
#include "app/playlist/m3u_text.h"
#include "app/playlist/pls_text.h"
#include "app/playlist/stream_address.h"
#include "platform/text_encoding.h"

namespace orvana::app {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool StartsAsPls(std::string_view text) {
  const std::size_t start = text.find_first_not_of(" \t\r\n");
  if (start == std::string_view::npos) return false;
  text.remove_prefix(start);
  return AsciiLower(WithoutBlanks(text.substr(0, text.find_first_of("\r\n")))) == "[playlist]";
}

}  // namespace

std::string EntryTitle(std::string_view raw) {
  std::string title = platform::FileTextToUtf8(raw);
  for (char& c : title)
    if (static_cast<unsigned char>(c) < ' ' || c == '\x7F') c = ' ';
  return std::string(WithoutBlanks(platform::Utf8Prefix(title, kMaxEntryTitleBytes)));
}

std::string_view WithoutByteOrderMark(std::string_view text) {
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  return text;
}

bool IsPlaylistExtension(std::string_view extension) {
  return extension == ".m3u" || extension == ".m3u8" || extension == ".pls";
}

std::vector<TPlaylistEntry> ParsePlaylistText(std::string_view text, std::string_view extension) {
  text = WithoutByteOrderMark(text);
  return extension == ".pls" || StartsAsPls(text) ? ParsePlsText(text) : ParseM3uText(text);
}

}  // namespace orvana::app
