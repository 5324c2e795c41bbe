#include "app/lyrics/lyrics.h"

#include "app/files/path_text.h"
#include "app/playlist/text_file.h"
#include "platform/text_encoding.h"

namespace orvana::app {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// Two characters as a number; anything but two digits counts 0.
int TwoDigits(std::string_view text) {
  if (text.size() != 2 || text[0] < '0' || text[0] > '9' || text[1] < '0' || text[1] > '9') return 0;
  return (text[0] - '0') * 10 + (text[1] - '0');
}

}  // namespace

TLyricLine ParseLyricLine(std::string_view line) {
  TLyricLine parsed{-1, std::string(line)};
  if (line.size() <= 6 || line[0] != '[') return parsed;
  const std::size_t close = line.find(']');
  // The "]" is the 7th or the 10th character.
  if (close != 6 && close != 9) return parsed;
  parsed.Time = TwoDigits(line.substr(1, 2)) * 60000 + TwoDigits(line.substr(4, 2)) * 1000;
  if (close == 9) parsed.Time += TwoDigits(line.substr(7, 2)) * 10;
  parsed.Text = std::string(line.substr(close + 1));
  return parsed;
}

std::string LyricsPath(const std::string& songPath) {
  const std::string_view name = FileNamePart(songPath);
  const std::size_t dot = name.rfind('.');
  const std::size_t stemEnd = dot == std::string::npos ? songPath.size() : songPath.size() - name.size() + dot;
  return songPath.substr(0, stemEnd) + ".txt";
}

std::string LyricsFileText(const std::string& bytes) {
  std::string text = platform::FileTextToUtf8(bytes);
  if (text.rfind(kUtf8Mark, 0) == 0) text.erase(0, kUtf8Mark.size());
  return text;
}

bool TLyrics::LoadLyrics(const std::string& songPath) {
  entries_.clear();
  lines_.clear();
  std::string bytes;
  try {
    if (!ReadTextFileIfPresent(LyricsPath(songPath), bytes)) return false;
  } catch (const TFileReadError&) {
    return false;
  }
  const std::string text = LyricsFileText(bytes);  // outlives the lines that view it
  for (const std::string_view line : SplitLines(text)) {
    TLyricLine parsed = ParseLyricLine(line);
    if (parsed.Time >= 0) entries_.push_back({parsed.Time, parsed.Text});
    lines_.push_back(std::move(parsed.Text));
  }
  return true;
}

std::string TLyrics::LyricAt(std::int64_t position) const {
  std::string text;
  // The entries keep the file's order: a tag that goes back in time ends
  // the walk there.
  for (const TLyricEntry& entry : entries_) {
    if (entry.Time > position) break;
    text = entry.Text;
  }
  return text;
}

}  // namespace orvana::app
