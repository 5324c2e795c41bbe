#pragma once
// The three menus: popFile and popConfig (drop-downs of the first two tool
// buttons) and PopupMenu1 (the list's context menu).
#include <QAction>
#include <QMenu>

#include "app/actions/action_list.h"

namespace orvana::app {

struct TMainWindowMenus {
  QMenu* popFile = nullptr;
  QMenu* popConfig = nullptr;
  QMenu* PopupMenu1 = nullptr;
  QAction* playSelected = nullptr;  // PopupMenu1's "再生" (Enter)
};

// The menus are children of `parent`; each re-runs the enable rules before
// it opens.
TMainWindowMenus BuildMainWindowMenus(TActionList& actions, QWidget* parent);

}  // namespace orvana::app
