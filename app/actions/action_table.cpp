#include "app/actions/action_table.h"

namespace orvana::app {

using enum TEnableRule;

// Design-time captions; actExit and actAbout get theirs at start-up.
const std::array<TActionDefinition, kActionCount> kActionTable = {{
    {aiPlay, "actPlay", "再生", "再生(&P)", "再生", "", erListNotEmpty, false},
    {aiStop, "actStop", "再生", "停止(&S)", "停止", "", erCanStop, false},
    {aiPause, "actPause", "再生", "一時停止(&U)", "一時停止", "", erCanPauseOrResume, true},
    {aiNext, "actNext", "再生", "次の曲へ(&N)", "次の曲へ", "", erMoreThanOneItem, false},
    {aiPrevious, "actPrevious", "再生", "前の曲へ(&R)", "前の曲へ", "", erMoreThanOneItem, false},
    {aiOpenFile, "actOpenFile", "ファイル", "ファイルを開く...", "", "", erAlways, false},
    {aiOpenFolder, "actOpenFolder", "ファイル", "フォルダから開く...", "", "", erAlways, false},
    {aiAddFile, "actAddFile", "ファイル", "ファイルを追加...", "", "Ins", erAlways, false},
    {aiAddFolder, "actAddFolder", "ファイル", "フォルダから追加...", "フォルダから追加", "Shift+Ins", erAlways, false},
    {aiDelete, "actDelete", "ファイル", "選択されているファイルを削除", "", "Del", erSelection, false},
    {aiDeleteInvert, "actDeleteInvert", "ファイル", "選択されていないファイルを削除", "", "Ctrl+Del", erListNotEmpty,
     false},
    {aiDeleteAll, "actDeleteAll", "ファイル", "すべて削除", "", "Shift+Ctrl+Del", erListNotEmpty, false},
    {aiDeleteDead, "actDeleteDead", "ファイル", "見付からないファイルを削除", "", "Alt+Del", erListNotEmpty, false},
    {aiSavePlaylist, "actSavePlaylist", "ファイル", "プレイリストを保存...", "", "", erListNotEmpty, false},
    {aiExit, "actExit", "ファイル", "終了(&X)", "", "", erAlways, false},
    {aiOptions, "actOptions", "設定", "設定", "設定", "O", erAlways, false},
    {aiRepeat, "actRepeat", "設定", "リピート", "リピート", "6", erAlways, true},
    {aiShuffle, "actShuffle", "設定", "シャッフル", "シャッフル", "7", erAlways, true},
    {aiShuffleList, "actShuffleList", "設定", "リストのシャッフル", "", "", erMoreThanOneItem, false},
    {aiReverseList, "actReverseList", "設定", "リストの反転", "", "", erMoreThanOneItem, false},
    {aiHide, "actHide", "設定", "プレイリストを隠す", "", "Esc", erAlways, false},
    {aiSleep, "actSleep", "設定", "おやすみモード", "おやすみモード", "", erAlways, true},
    {aiWakeup, "actWakeup", "設定", "おはようタイマーのセット", "おはようタイマー", "", erAlways, true},
    {aiAbout, "actAbout", "設定", "Orvana について...", "", "F1", erAlways, false},
    {aiFileInfo, "actFileInfo", "", "ファイル情報", "", "Alt+3", erAlways, false},
    {aiEqualizer, "actEqualizer", "設定", "イコライザー", "イコライザー", "E", erAlways, false},
    {aiOpenUrl, "actOpenUrl", "ファイル", "URLを開く...", "", "Ctrl+U", erAlways, false},
    {aiFindSong, "actFindSong", "再生", "曲を探す...", "曲を探す", "Ctrl+F", erListNotEmpty, false},
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
