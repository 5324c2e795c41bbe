#include "app/playlist/m3u_text.h"

#include "app/files/path_text.h"
#include "app/playlist/stream_address.h"
#include "app/playlist/text_file.h"
#include "platform/text_encoding.h"

namespace orvana::app {
namespace {

constexpr std::string_view kInfoTag = "#extinf:";

// What follows the first comma outside double quotes: writers put
// attributes (tvg-name="a,b") between the length and the title.
std::string_view InfoTitle(std::string_view info) {
  bool quoted = false;
  for (std::size_t i = 0; i < info.size(); ++i) {
    if (info[i] == '"') quoted = !quoted;
    if (info[i] == ',' && !quoted) return info.substr(i + 1);
  }
  return {};
}

}  // namespace

std::vector<TPlaylistEntry> ParseM3uText(std::string_view text) {
  std::vector<TPlaylistEntry> entries;
  std::string title;
  for (const std::string_view line : SplitLines(WithoutByteOrderMark(text))) {
    const std::string_view content = WithoutBlanks(line);
    if (content.empty()) continue;
    if (content.front() == '#') {
      if (AsciiLower(content.substr(0, kInfoTag.size())) == kInfoTag)
        title = EntryTitle(InfoTitle(content.substr(kInfoTag.size())));
      continue;
    }
    entries.push_back({platform::FileTextToUtf8(line), std::move(title)});
    title.clear();
  }
  return entries;
}

}  // namespace orvana::app
