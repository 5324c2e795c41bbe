#pragma once
// The lines of a text the program wrote, each ended by `ending` (an unended
// last line is left out, so a missing line end shows as a missing line).
#include <string>
#include <string_view>
#include <vector>

namespace orvana::testing {

inline std::vector<std::string> EndedLines(const std::string& text, std::string_view ending) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find(ending, start)) != std::string::npos; start = end + ending.size())
    lines.push_back(text.substr(start, end - start));
  return lines;
}

// Settings and list files end their lines in CR LF.
inline std::vector<std::string> CrLfLines(const std::string& text) { return EndedLines(text, "\r\n"); }

}  // namespace orvana::testing
