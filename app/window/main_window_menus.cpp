#include "app/window/main_window_menus.h"

#include <QCoreApplication>

namespace orvana::app {
namespace {

constexpr TActionId kSeparator = TActionId(-1);

QMenu* Menu(const char* name, TActionList& actions, std::initializer_list<TActionId> entries, QWidget* parent) {
  auto* menu = new QMenu(parent);
  menu->setObjectName(name);
  for (TActionId id : entries) {
    if (id == kSeparator) {
      menu->addSeparator();
    } else {
      menu->addAction(actions.QtAction(id));
    }
  }
  QObject::connect(menu, &QMenu::aboutToShow, &actions, &TActionList::UpdateAll);
  return menu;
}

}  // namespace

TMainWindowMenus BuildMainWindowMenus(TActionList& actions, QWidget* parent) {
  TMainWindowMenus menus;
  menus.popFile = Menu("popFile", actions,
                       {aiOpenFile, aiOpenFolder, aiOpenUrl, kSeparator, aiAddFile, aiAddFolder, kSeparator, aiDelete,
                        aiDeleteInvert, aiDeleteDead, aiDeleteAll, kSeparator, aiSavePlaylist, kSeparator, aiExit},
                       parent);
  menus.popFile->setDefaultAction(actions.QtAction(aiAddFolder));
  menus.popConfig = Menu("popConfig", actions,
                         {aiOptions, aiEqualizer, kSeparator, aiRepeat, aiShuffle, kSeparator, aiShuffleList,
                          aiReverseList, kSeparator, aiHide, kSeparator, aiWakeup, aiSleep, kSeparator, aiAbout},
                         parent);
  menus.popConfig->setDefaultAction(actions.QtAction(aiOptions));

  menus.PopupMenu1 = Menu("PopupMenu1", actions, {}, parent);
  menus.playSelected = new QAction(QCoreApplication::translate("Window", "再生"), menus.PopupMenu1);
  menus.playSelected->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
  menus.PopupMenu1->addAction(menus.playSelected);
  menus.PopupMenu1->addAction(actions.QtAction(aiFindSong));
  menus.PopupMenu1->addSeparator();
  menus.PopupMenu1->addAction(actions.QtAction(aiDelete));
  menus.PopupMenu1->addAction(actions.QtAction(aiDeleteInvert));
  menus.PopupMenu1->addSeparator();
  menus.PopupMenu1->addAction(actions.QtAction(aiFileInfo));
  return menus;
}

}  // namespace orvana::app
