#include "app/playlist/pls_text.h"

#include <charconv>
#include <map>
#include <optional>

#include "app/files/path_text.h"
#include "app/playlist/stream_address.h"
#include "app/playlist/text_file.h"
#include "platform/text_encoding.h"

namespace orvana::app {
namespace {

struct TNumberedEntry {
  std::optional<std::string> location;
  std::optional<std::string> title;
};

// The N of "fileN" after `prefix`: plain decimal digits, at most nine.
std::optional<unsigned> EntryNumber(std::string_view key, std::string_view prefix) {
  if (!key.starts_with(prefix)) return std::nullopt;
  const std::string_view digits = key.substr(prefix.size());
  if (digits.empty() || digits.size() > 9) return std::nullopt;
  unsigned number = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return number;
}

bool IsSectionLine(std::string_view line) { return line.size() >= 2 && line.front() == '[' && line.back() == ']'; }

}  // namespace

std::vector<TPlaylistEntry> ParsePlsText(std::string_view text) {
  std::map<unsigned, TNumberedEntry> numbered;
  bool inPlaylist = true;
  for (const std::string_view line : SplitLines(WithoutByteOrderMark(text))) {
    const std::string_view content = WithoutBlanks(line);
    if (content.empty() || content.front() == ';' || content.front() == '#') continue;
    if (IsSectionLine(content)) {
      inPlaylist = AsciiLower(WithoutBlanks(content.substr(1, content.size() - 2))) == "playlist";
      continue;
    }
    const std::size_t equals = content.find('=');
    if (!inPlaylist || equals == std::string_view::npos) continue;
    const std::string key = AsciiLower(WithoutBlanks(content.substr(0, equals)));
    const std::string_view value = WithoutBlanks(content.substr(equals + 1));
    if (const std::optional<unsigned> number = EntryNumber(key, "file")) {
      std::optional<std::string>& location = numbered[*number].location;
      if (!location) location = platform::FileTextToUtf8(value);
    } else if (const std::optional<unsigned> number = EntryNumber(key, "title")) {
      std::optional<std::string>& title = numbered[*number].title;
      if (!title) title = EntryTitle(value);
    }
  }
  std::vector<TPlaylistEntry> entries;
  for (auto& [number, entry] : numbered)
    if (entry.location && !entry.location->empty())
      entries.push_back({std::move(*entry.location), entry.title.value_or(std::string())});
  return entries;
}

}  // namespace orvana::app
