#include "app/tray/task_tray.h"

#include <QtGlobal>

#include "app/tray/notify_window.h"
#include "app/tray/tray_registry.h"

namespace orvana::app {

namespace {

constexpr int kTipBytes = 63;

}  // namespace

QString TrayTipText(const QString& tip) {
  QString cut;
  int bytes = 0;
  for (const char32_t character : tip.toUcs4()) {
    const int size = character < 0x80 ? 1 : character < 0x800 ? 2 : character < 0x10000 ? 3 : 4;
    if (bytes + size > kTipBytes) break;
    bytes += size;
    cut += QString::fromUcs4(&character, 1);
  }
  return cut;
}

TTaskTray::TTaskTray(QWidget* owner)
    : QObject(owner), owner_(owner), iconID_(TTrayRegistry::Instance().NextIconID()) {
  TTrayRegistry::Instance().Add(iconID_, this);
}

TTaskTray::~TTaskTray() {
  RemoveIcon();
  TTrayRegistry::Instance().Remove(this);
}

void TTaskTray::SetTipString(const QString& tip) {
  if (tip == tipString_) return;
  tipString_ = tip;
  UpdateIcon();
}

void TTaskTray::SetIcon(const QIcon& icon) {
  if (icon.isNull()) {
    icon_ = QIcon();
    RemoveIcon();
    return;
  }
  icon_ = icon;
  UpdateIcon();
}

void TTaskTray::SetIconID(int id) {
  if (id <= 0) throw ETrayError(QT_TRANSLATE_NOOP("Errors", "0以下は指定できません"));
  if (id == iconID_) return;
  if (TTrayRegistry::Instance().Find(id) != nullptr) throw ETrayError(QT_TRANSLATE_NOOP("Errors", "同じアイコン識別子が有ります"));
  if (registered_) {
    RemoveIcon();
    registered_ = true;
  }
  iconID_ = id;
  TTrayRegistry::Instance().Rename(this, id);
  UpdateIcon();
}

void TTaskTray::SetRegistered(bool registered) {
  if (registered == registered_) return;
  if (registered) {
    if (icon_.isNull()) throw ETrayError(QT_TRANSLATE_NOOP("Errors", "アイコンが指定されていません"));
    registered_ = true;
    UpdateIcon();
  } else {
    RemoveIcon();
  }
  registered_ = registered;
}

bool TTaskTray::Shown() const {
  const TNotifyWindow* notifyWindow = TNotifyWindow::Existing();
  return added_ && notifyWindow != nullptr && notifyWindow->TrayExists();
}

void TTaskTray::UpdateIcon() {
  if (!registered_) return;
  TNotifyWindow& notifyWindow = TNotifyWindow::Instance(owner_);
  if (!added_)
    connect(&notifyWindow, &TNotifyWindow::trayExistsChanged, this, &TTaskTray::shownChanged, Qt::UniqueConnection);
  if (!notifyWindow.SetIcon(iconID_, icon_, TrayTipText(tipString_))) {
    throw ETrayError(QT_TRANSLATE_NOOP("Errors", "タスクトレイに登録できません"));
  }
  added_ = true;
}

void TTaskTray::RemoveIcon() {
  // At the end of the program the dispatcher may already be gone.
  TNotifyWindow* notifyWindow = TNotifyWindow::Existing();
  if (added_ && notifyWindow != nullptr) notifyWindow->DeleteIcon(iconID_);
  added_ = false;
  registered_ = false;
}

void TTaskTray::DblClick(Qt::MouseButton button) { emit dblClick(button); }

void TTaskTray::MouseDown(Qt::MouseButton button, QPoint screenPos) {
  if (owner_ != nullptr && owner_->isVisible()) {
    owner_->raise();
    owner_->activateWindow();
  }
  emit mouseDown(button, screenPos);
  if (button == Qt::LeftButton && popupMenuL_ != nullptr) popupMenuL_->popup(screenPos);
  if (button == Qt::RightButton && popupMenuR_ != nullptr) popupMenuR_->popup(screenPos);
}

void TTaskTray::MouseMove(QPoint screenPos) { emit mouseMove(screenPos); }

void TTaskTray::MouseUp(Qt::MouseButton button, QPoint screenPos) { emit mouseUp(button, screenPos); }

void TTaskTray::Wheel(int notches) { emit wheel(notches); }

}  // namespace orvana::app
