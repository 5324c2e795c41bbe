#pragma once
// The one line `orvana-cli play` shows while it plays: title, elapsed and
// total time as mm:ss, and a bar. On a terminal it is rewritten in place;
// elsewhere only its last state is written, once per file.
#include <cstdint>
#include <cstdio>
#include <string>

namespace orvana::cli {

// Whole seconds as "mm:ss" (minutes grow past 99 as needed).
std::string FormatClock(std::int64_t milliseconds);

// "Title  01:02 / 03:04  [#####-----]"; without a known length the total
// reads "--:--" and there is no bar.
std::string StatusLineText(const std::string& title, std::int64_t positionMs, std::int64_t lengthMs,
                           int barWidth = 30);

class PlayStatusLine {
 public:
  explicit PlayStatusLine(std::FILE* out);

  void Show(const std::string& text);
  // Ends the line (after a file, or before other output).
  void Finish();

 private:
  std::FILE* out_;
  bool terminal_;
  bool shown_ = false;
  std::string last_;
};

}  // namespace orvana::cli
