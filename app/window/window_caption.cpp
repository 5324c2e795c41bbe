#include "app/window/window_caption.h"

#include <cstdio>

namespace orvana::app {

std::string WindowCaption(const std::string& title, player::TMP3Status status) {
  const char* suffix = "";
  switch (status) {
    case player::msStopped:
      suffix = " <停止中>";
      break;
    case player::msPlaying:
      suffix = " <再生中>";
      break;
    case player::msPaused:
      suffix = " <一時停止>";
      break;
  }
  return "Orvana - " + title + suffix;
}

std::string SongCountText(int count) { return std::to_string(count) + " 曲"; }

std::string TotalTimeText(int totalSeconds) {
  char text[64];
  std::snprintf(text, sizeof text, "総演奏時間: %.2d:%.2d", totalSeconds / 60, totalSeconds % 60);
  return text;
}

}  // namespace orvana::app
