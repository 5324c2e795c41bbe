#include "cli/play_status_line.h"

#include <unistd.h>

#include <algorithm>

namespace orvana::cli {

std::string FormatClock(std::int64_t milliseconds) {
  const std::int64_t seconds = std::max<std::int64_t>(milliseconds, 0) / 1000;
  char text[32];
  std::snprintf(text, sizeof text, "%02lld:%02lld", static_cast<long long>(seconds / 60),
                static_cast<long long>(seconds % 60));
  return text;
}

std::string StatusLineText(const std::string& title, std::int64_t positionMs, std::int64_t lengthMs, int barWidth) {
  std::string line = title + "  " + FormatClock(positionMs) + " / " + (lengthMs > 0 ? FormatClock(lengthMs) : "--:--");
  if (lengthMs <= 0 || barWidth <= 0) return line;
  const std::int64_t filled = std::clamp<std::int64_t>(positionMs, 0, lengthMs) * barWidth / lengthMs;
  line += "  [";
  line.append(static_cast<std::size_t>(filled), '#');
  line.append(static_cast<std::size_t>(barWidth - filled), '-');
  line += ']';
  return line;
}

PlayStatusLine::PlayStatusLine(std::FILE* out) : out_(out), terminal_(::isatty(::fileno(out)) == 1) {}

void PlayStatusLine::Show(const std::string& text) {
  last_ = text;
  shown_ = true;
  if (!terminal_) return;
  // Back to the line's start, then clear what a longer line left behind.
  std::fprintf(out_, "\r%s\033[K", text.c_str());
  std::fflush(out_);
}

void PlayStatusLine::Finish() {
  if (!shown_) return;
  if (terminal_)
    std::fputc('\n', out_);
  else
    std::fprintf(out_, "%s\n", last_.c_str());
  std::fflush(out_);
  shown_ = false;
}

}  // namespace orvana::cli
