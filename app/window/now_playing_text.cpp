#include "app/window/now_playing_text.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "app/playlist/time_text.h"

namespace orvana::app {

std::string AlbumText(const std::string& album, const std::string& track) {
  // An ID3v1 tag without a track holds 0 where v1.1 keeps it.
  return track.empty() || track == "0" ? album : album + " / Track " + track;
}

std::string AudioPropertiesText(std::int64_t lengthMs, int layer, int bitrate, int frequency) {
  if (lengthMs < 1) return {};
  const long long minutes = lengthMs / 60000;
  const long long seconds = lengthMs / 1000 % 60;
  char text[128];
  if (minutes > 0) {
    std::snprintf(text, sizeof text, "%lldmin %lldsec / Layer %d, %dKBit %dHz", minutes, seconds, layer,
                  bitrate / 1000, frequency);
  } else {
    std::snprintf(text, sizeof text, "%lldsec / Layer %d, %dKBit %dHz", seconds, layer, bitrate / 1000, frequency);
  }
  return text;
}

std::string StationStateText(bool connecting, bool buffering) {
  if (connecting) return QCoreApplication::translate("Window", "接続中...").toStdString();
  return buffering ? QCoreApplication::translate("Window", "バッファリング中...").toStdString() : std::string();
}

std::string DurationText(std::int64_t lengthMs) {
  return FormatTimeText(static_cast<int>(std::min<std::int64_t>(lengthMs / 1000, INT32_MAX)));
}

}  // namespace orvana::app
