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
    AppendLine(text, item.Caption());
    AppendLine(text, std::to_string(item.SubItemCount()));
    for (int i = 0; i < item.SubItemCount(); ++i) AppendLine(text, item.SubItem(i));
  }
  return text;
}

void SaveListFile(const TPlaylist& playlist, const std::string& path) {
  WriteFileAtomically(path, ListFileText(playlist.Items()));
}

std::vector<TPlaylistItem> ParseListFile(std::string_view text) {
  TLineReader lines(text);
  std::vector<TPlaylistItem> items;
  std::vector<std::string> texts;  // the item's caption and sub-items, as UTF-8
  std::vector<std::string_view> views;
  while (lines.Remaining() >= 2) {
    texts.assign(1, platform::FileTextToUtf8(lines.Next()));
    const long long count = CountOf(lines.Next());
    if (count > 0) {
      // Compared before anything is allocated: a huge count costs nothing.
      if (static_cast<unsigned long long>(count) > lines.Remaining()) break;
      for (long long i = 0; i < count; ++i) texts.push_back(platform::FileTextToUtf8(lines.Next()));
    }
    views.assign(texts.begin(), texts.end());
    items.emplace_back(views);
  }
  items.shrink_to_fit();  // kept for as long as the program runs
  return items;
}

bool LoadListFile(TPlaylist& playlist, const std::string& path) {
  std::string text;
  if (!ReadTextFileIfPresent(path, text)) return false;
  playlist.Assign(ParseListFile(text));
  return true;
}

}  // namespace orvana::app
