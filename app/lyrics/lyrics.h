#pragma once
// A song's lyrics: the text file beside it with the extension ".txt". Lines
// may start with a time tag, [mm:ss] or [mm:ss.hh]; those become timed
// entries, and LyricAt tells which of them is sung at a position.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvana::app {

struct TLyricEntry {
  std::int32_t Time = 0;  // milliseconds from the start of the song
  std::string Text;
};

struct TLyricLine {
  std::int32_t Time = -1;  // -1: the line has no time tag
  std::string Text;        // the line without its tag
};

// A tag is "[", two digits, a separator, two digits, then "]" or a
// separator, two digits and "]". The separators are not looked at, and a
// part that is not a number counts 0.
TLyricLine ParseLyricLine(std::string_view line);

// The lyrics file of a song: its path with the extension replaced by ".txt"
// (a name without an extension gets one).
std::string LyricsPath(const std::string& songPath);

// A lyrics file's bytes as UTF-8: one encoding for the whole file (UTF-8,
// else CP932), without an editor's byte-order mark, which would hide the
// first line's tag.
std::string LyricsFileText(const std::string& bytes);

class TLyrics {
 public:
  // Reads the song's lyrics file; false when there is none or it cannot be
  // read. Either way the lyrics of the previous song are gone.
  bool LoadLyrics(const std::string& songPath);
  // The text sung at `position` milliseconds; empty before the first entry.
  std::string LyricAt(std::int64_t position) const;

  const std::vector<TLyricEntry>& Entries() const { return entries_; }
  // Every line of the file in order, tags removed.
  const std::vector<std::string>& Lines() const { return lines_; }

 private:
  std::vector<TLyricEntry> entries_;
  std::vector<std::string> lines_;
};

}  // namespace orvana::app
