#include "app/window/window_caption.h"

#include <QCoreApplication>
#include <cstdio>

namespace orvana::app {
namespace {

std::string Translated(const char* text) { return QCoreApplication::translate("Window", text).toStdString(); }

}  // namespace

std::string WindowCaption(const std::string& title, player::TMP3Status status) {
  const char* suffix = "";
  switch (status) {
    case player::msStopped:
      suffix = QT_TRANSLATE_NOOP("Window", " <停止中>");
      break;
    case player::msPlaying:
      suffix = QT_TRANSLATE_NOOP("Window", " <再生中>");
      break;
    case player::msPaused:
      suffix = QT_TRANSLATE_NOOP("Window", " <一時停止>");
      break;
  }
  return "Orvana - " + title + Translated(suffix);
}

std::string SongCountText(int count) {
  return QCoreApplication::translate("Window", "%n 曲", nullptr, count).toStdString();
}

std::string TotalTimeText(int totalSeconds) {
  char time[32];
  std::snprintf(time, sizeof time, "%.2d:%.2d", totalSeconds / 60, totalSeconds % 60);
  return QCoreApplication::translate("Window", "総演奏時間: %1").arg(QString::fromLatin1(time)).toStdString();
}

}  // namespace orvana::app
