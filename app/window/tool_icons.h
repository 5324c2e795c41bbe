#pragma once
// The tool bar's images: the desktop's icon theme where it has them, else
// the program's own.
#include <QIcon>

#include "app/actions/action_table.h"

namespace orvana::app {

// The actions that have a tool button, left to right.
constexpr TActionId kToolButtonActions[] = {aiAddFolder, aiOptions, aiPrevious, aiStop,    aiPause, aiPlay,
                                            aiNext,      aiRepeat,  aiShuffle,  aiWakeup, aiSleep};

QIcon ToolIcon(TActionId action);

}  // namespace orvana::app
