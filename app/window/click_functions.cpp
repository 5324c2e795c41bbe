#include "app/window/click_functions.h"

#include <QtGlobal>

namespace orvana::app {

const char* const kClickFunctionTexts[kClickFunctionCount] = {
    QT_TRANSLATE_NOOP("Config", "再生／停止"),
    QT_TRANSLATE_NOOP("Config", "次の曲へ"),
    QT_TRANSLATE_NOOP("Config", "前の曲へ"),
    QT_TRANSLATE_NOOP("Config", "プレイリストを表示"),
    QT_TRANSLATE_NOOP("Config", "設定"),
    QT_TRANSLATE_NOOP("Config", "バージョン情報"),
    QT_TRANSLATE_NOOP("Config", "終了"),
};

namespace {

TActionId PlayStopAction(player::TMP3Status status) {
  switch (status) {
    case player::msPlaying: return aiStop;
    case player::msPaused: return aiPause;  // resumes
    default: return aiPlay;
  }
}

}  // namespace

void RunClickFunction(int number, TActionList& actions, player::TMP3Status status,
                      const std::function<void()>& showPlaylist) {
  switch (number) {
    case cfPlayStop: actions[PlayStopAction(status)].Execute(); break;
    case cfNextSong: actions[aiNext].Execute(); break;
    case cfPreviousSong: actions[aiPrevious].Execute(); break;
    case cfShowPlaylist: showPlaylist(); break;
    case cfSettings: actions[aiOptions].Execute(); break;
    case cfAbout: actions[aiAbout].Execute(); break;
    case cfExit: actions[aiExit].Execute(); break;
    default: break;
  }
}

}  // namespace orvana::app
