#pragma once
// The entries of playlist files (.m3u, .m3u8, .pls): where each points and
// the title the list gives it, read from the file's text whichever format
// it has.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orvana::app {

struct TPlaylistEntry {
  std::string location;  // as written: a path, a file:// or a station's address
  std::string title;     // empty when the list gives none
};

// Titles longer than this are cut (at a character's start): a caption, not a text.
inline constexpr std::size_t kMaxEntryTitleBytes = 256;

// A title as the list's caption shows it: UTF-8 (CP932 decoded), control
// characters as blanks, no blanks at the ends, at most kMaxEntryTitleBytes.
std::string EntryTitle(std::string_view raw);

// The text without a UTF-8 byte-order mark, which editors put before the
// first line.
std::string_view WithoutByteOrderMark(std::string_view text);

// ".m3u", ".m3u8" or ".pls", as LowerCaseExtension gives them.
bool IsPlaylistExtension(std::string_view extension);

// The entries of a playlist file's text in list order: read as a .pls when
// its extension says so or its first line is "[playlist]", as an .m3u
// otherwise.
std::vector<TPlaylistEntry> ParsePlaylistText(std::string_view text, std::string_view extension);

}  // namespace orvana::app
