#include "app/actions/action_table.h"

#include <QtGlobal>

namespace orvana::app {

using enum TEnableRule;

// Design-time captions, translated where actions are made; actExit and
// actAbout get theirs at start-up.
const std::array<TActionDefinition, kActionCount> kActionTable = {{
    {aiPlay, "actPlay", "再生", QT_TRANSLATE_NOOP("Actions", "再生(&P)"), QT_TRANSLATE_NOOP("Actions", "再生"), "",
     erListNotEmpty, false},
    {aiStop, "actStop", "再生", QT_TRANSLATE_NOOP("Actions", "停止(&S)"), QT_TRANSLATE_NOOP("Actions", "停止"), "",
     erCanStop, false},
    {aiPause, "actPause", "再生", QT_TRANSLATE_NOOP("Actions", "一時停止(&U)"),
     QT_TRANSLATE_NOOP("Actions", "一時停止"), "", erCanPauseOrResume, true},
    {aiNext, "actNext", "再生", QT_TRANSLATE_NOOP("Actions", "次の曲へ(&N)"), QT_TRANSLATE_NOOP("Actions", "次の曲へ"),
     "", erMoreThanOneItem, false},
    {aiPrevious, "actPrevious", "再生", QT_TRANSLATE_NOOP("Actions", "前の曲へ(&R)"),
     QT_TRANSLATE_NOOP("Actions", "前の曲へ"), "", erMoreThanOneItem, false},
    {aiOpenFile, "actOpenFile", "ファイル", QT_TRANSLATE_NOOP("Actions", "ファイルを開く..."), "", "", erAlways, false},
    {aiOpenFolder, "actOpenFolder", "ファイル", QT_TRANSLATE_NOOP("Actions", "フォルダから開く..."), "", "", erAlways,
     false},
    {aiAddFile, "actAddFile", "ファイル", QT_TRANSLATE_NOOP("Actions", "ファイルを追加..."), "", "Ins", erAlways,
     false},
    {aiAddFolder, "actAddFolder", "ファイル", QT_TRANSLATE_NOOP("Actions", "フォルダから追加..."),
     QT_TRANSLATE_NOOP("Actions", "フォルダから追加"), "Shift+Ins", erAlways, false},
    {aiDelete, "actDelete", "ファイル", QT_TRANSLATE_NOOP("Actions", "選択されているファイルを削除"), "", "Del",
     erSelection, false},
    {aiDeleteInvert, "actDeleteInvert", "ファイル", QT_TRANSLATE_NOOP("Actions", "選択されていないファイルを削除"), "",
     "Ctrl+Del", erListNotEmpty, false},
    {aiDeleteAll, "actDeleteAll", "ファイル", QT_TRANSLATE_NOOP("Actions", "すべて削除"), "", "Shift+Ctrl+Del",
     erListNotEmpty, false},
    {aiDeleteDead, "actDeleteDead", "ファイル", QT_TRANSLATE_NOOP("Actions", "見付からないファイルを削除"), "",
     "Alt+Del", erListNotEmpty, false},
    {aiSavePlaylist, "actSavePlaylist", "ファイル", QT_TRANSLATE_NOOP("Actions", "プレイリストを保存..."), "", "",
     erListNotEmpty, false},
    {aiExit, "actExit", "ファイル", QT_TRANSLATE_NOOP("Actions", "終了(&X)"), "", "", erAlways, false},
    {aiOptions, "actOptions", "設定", QT_TRANSLATE_NOOP("Actions", "設定"), QT_TRANSLATE_NOOP("Actions", "設定"), "O",
     erAlways, false},
    {aiRepeat, "actRepeat", "設定", QT_TRANSLATE_NOOP("Actions", "リピート"), QT_TRANSLATE_NOOP("Actions", "リピート"),
     "6", erAlways, true},
    {aiShuffle, "actShuffle", "設定", QT_TRANSLATE_NOOP("Actions", "シャッフル"),
     QT_TRANSLATE_NOOP("Actions", "シャッフル"), "7", erAlways, true},
    {aiShuffleList, "actShuffleList", "設定", QT_TRANSLATE_NOOP("Actions", "リストのシャッフル"), "", "",
     erMoreThanOneItem, false},
    {aiReverseList, "actReverseList", "設定", QT_TRANSLATE_NOOP("Actions", "リストの反転"), "", "", erMoreThanOneItem,
     false},
    {aiHide, "actHide", "設定", QT_TRANSLATE_NOOP("Actions", "プレイリストを隠す"), "", "Esc", erAlways, false},
    {aiSleep, "actSleep", "設定", QT_TRANSLATE_NOOP("Actions", "おやすみモード"),
     QT_TRANSLATE_NOOP("Actions", "おやすみモード"), "", erAlways, true},
    {aiWakeup, "actWakeup", "設定", QT_TRANSLATE_NOOP("Actions", "おはようタイマーのセット"),
     QT_TRANSLATE_NOOP("Actions", "おはようタイマー"), "", erAlways, true},
    {aiAbout, "actAbout", "設定", QT_TRANSLATE_NOOP("Actions", "Orvana について..."), "", "F1", erAlways, false},
    {aiFileInfo, "actFileInfo", "", QT_TRANSLATE_NOOP("Actions", "ファイル情報"), "", "Alt+3", erAlways, false},
    {aiEqualizer, "actEqualizer", "設定", QT_TRANSLATE_NOOP("Actions", "イコライザー"),
     QT_TRANSLATE_NOOP("Actions", "イコライザー"), "E", erAlways, false},
    {aiOpenUrl, "actOpenUrl", "ファイル", QT_TRANSLATE_NOOP("Actions", "URLを開く..."), "", "Ctrl+U", erAlways, false},
    {aiFindSong, "actFindSong", "再生", QT_TRANSLATE_NOOP("Actions", "曲を探す..."),
     QT_TRANSLATE_NOOP("Actions", "曲を探す"), "Ctrl+F", erListNotEmpty, false},
}};

bool IsEnabled(TEnableRule rule, const TActionContext& context) {
  using namespace player;
  switch (rule) {
    case erAlways:
      return true;
    case erListNotEmpty:
      return context.itemCount > 0;
    case erMoreThanOneItem:
      return context.itemCount > 1;
    case erSelection:
      return context.hasSelection;
    case erCanStop:
      return context.capabilities.Has(mpcStop);
    case erCanPauseOrResume:
      return (context.status == msPlaying && context.capabilities.Has(mpcPause)) ||
             (context.status == msPaused && context.capabilities.Has(mpcResume));
  }
  return false;
}

}  // namespace orvana::app
