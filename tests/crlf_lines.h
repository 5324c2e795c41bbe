#pragma once
// The CR LF-ended lines of a file the program wrote (an unended last line is
// left out, so a missing line end shows as a missing line).
#include <string>
#include <vector>

namespace orvana::testing {

inline std::vector<std::string> CrLfLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  return lines;
}

}  // namespace orvana::testing
