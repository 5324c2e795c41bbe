#include "app/playlist/list_file.h"

#include <charconv>

#include "app/playlist/text_file.h"
#include "app/files/atomic_file.h"
#include "platform/text_encoding.h"

namespace orvana::app {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

void AppendLine(std::string& text, std::string_view line) {
  const std::size_t start = text.size();
  text.append(line);
  for (std::size_t i = start; i < text.size(); ++i)
    if (text[i] == '\r' || text[i] == '\n') text[i] = ' ';
  text.append(kLineEnd);
}

// The count line as a number; -1 for anything else (blanks around it are
// allowed, as hand-edited files have them).
long long CountOf(std::string_view line) {
  while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
  if (!line.empty() && line.front() == '+') line.remove_prefix(1);
  long long count = 0;
  const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), count);
  if (line.empty() || error != std::errc() || end != line.data() + line.size()) return -1;
  return count;
}

}  // namespace

std::string ListFileText(const std::vector<TPlaylistItem>& items) {
  std::string text;
  for (const TPlaylistItem& item : items) {
    AppendLine(text, item.caption);
    AppendLine(text, std::to_string(item.subItems.size()));
    for (const std::string& subItem : item.subItems) AppendLine(text, subItem);
  }
  return text;
}

void SaveListFile(const TPlaylist& playlist, const std::string& path) {
  WriteFileAtomically(path, ListFileText(playlist.Items()));
}

std::vector<TPlaylistItem> ParseListFile(std::string_view text) {
  const std::vector<std::string_view> lines = SplitLines(text);
  std::vector<TPlaylistItem> items;
  std::size_t at = 0;
  while (lines.size() - at >= 2) {
    TPlaylistItem item;
    item.caption = platform::FileTextToUtf8(lines[at]);
    const long long count = CountOf(lines[at + 1]);
    at += 2;
    if (count > 0) {
      // Compared before anything is allocated: a huge count costs nothing.
      if (static_cast<unsigned long long>(count) > lines.size() - at) break;
      item.subItems.reserve(static_cast<std::size_t>(count));
      for (long long i = 0; i < count; ++i) item.subItems.push_back(platform::FileTextToUtf8(lines[at++]));
    }
    items.push_back(std::move(item));
  }
  return items;
}

bool LoadListFile(TPlaylist& playlist, const std::string& path) {
  std::string text;
  if (!ReadTextFileIfPresent(path, text)) return false;
  playlist.Assign(ParseListFile(text));
  return true;
}

}  // namespace orvana::app
