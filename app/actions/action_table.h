#pragma once
// Every command of the main window: its name, category, caption, hint,
// shortcut and the rule that says when it may run.
#include <array>
#include <QtGlobal>
#include <cstdint>

#include "player/mp3_player_types.h"

namespace orvana::app {

enum TActionId : int {
  aiPlay,
  aiStop,
  aiPause,
  aiNext,
  aiPrevious,
  aiOpenFile,
  aiOpenFolder,
  aiAddFile,
  aiAddFolder,
  aiDelete,
  aiDeleteInvert,
  aiDeleteAll,
  aiDeleteDead,
  aiSavePlaylist,
  aiExit,
  aiOptions,
  aiRepeat,
  aiShuffle,
  aiShuffleList,
  aiReverseList,
  aiHide,
  aiSleep,
  aiWakeup,
  aiAbout,
  aiFileInfo,
  aiEqualizer,
  aiOpenUrl,
  aiFindSong,
};
constexpr int kActionCount = aiFindSong + 1;

enum class TEnableRule : std::uint8_t {
  erAlways,
  erListNotEmpty,
  erMoreThanOneItem,
  erSelection,
  erCanStop,
  erCanPauseOrResume,
};

struct TActionDefinition {
  TActionId id;
  const char* name;      // actPlay, ...
  const char* category;  // empty: none
  const char* caption;   // translated in context "Actions"
  const char* hint;      // empty: none
  const char* shortcut;  // QKeySequence text; empty: none
  TEnableRule rule;
  bool checkable;
};

extern const std::array<TActionDefinition, kActionCount> kActionTable;

// What the enable rules look at.
struct TActionContext {
  int itemCount = 0;
  bool hasSelection = false;
  player::TMP3PlayerCapabilities capabilities;
  player::TMP3Status status = player::msStopped;
};

bool IsEnabled(TEnableRule rule, const TActionContext& context);

// Captions set at start-up in place of the design-time ones (context "Actions").
constexpr const char* kExitCaption = QT_TRANSLATE_NOOP("Actions", "Orvana の終了");
constexpr const char* kAboutCaption = QT_TRANSLATE_NOOP("Actions", "Orvana について...");

}  // namespace orvana::app
