#include "app/tray/notify_window.h"

#include <cstdio>
#include <exception>

#include "app/tray/task_tray.h"
#include "app/tray/tray_registry.h"

namespace orvana::app {

bool TNotifyWindow::busy_ = false;
QPointer<TNotifyWindow> TNotifyWindow::instance_;

namespace {

TTrayHostFactory& HostFactory() {
  static TTrayHostFactory factory = DesktopTrayHosts;
  return factory;
}

// Clears the busy flag however the dispatch ends.
class TBusyScope {
 public:
  explicit TBusyScope(bool& busy) : busy_(busy) { busy_ = true; }
  ~TBusyScope() { busy_ = false; }
  TBusyScope(const TBusyScope&) = delete;
  TBusyScope& operator=(const TBusyScope&) = delete;

 private:
  bool& busy_;
};

}  // namespace

void SetTrayHostFactory(TTrayHostFactory factory) { HostFactory() = std::move(factory); }

TNotifyWindow& TNotifyWindow::Instance(QObject* owner) {
  if (instance_.isNull()) instance_ = new TNotifyWindow(HostFactory()(), owner);
  return *instance_;
}

TNotifyWindow::TNotifyWindow(TTrayHosts hosts, QObject* owner) : QObject(owner), hosts_(std::move(hosts)) {
  for (const auto& host : hosts_) {
    connect(host.get(), &TTrayIconHost::message, this, &TNotifyWindow::Dispatch);
    connect(host.get(), &TTrayIconHost::wheel, this, &TNotifyWindow::DispatchWheel);
    connect(host.get(), &TTrayIconHost::availabilityChanged, this, &TNotifyWindow::ChooseHost);
  }
  ChooseHost();
}

bool TNotifyWindow::SetIcon(int id, const QIcon& icon, const QString& tip) {
  icons_[id] = {icon, tip};
  if (active_ == nullptr || active_->SetIcon(id, icon, tip)) return true;
  icons_.erase(id);
  return false;
}

void TNotifyWindow::DeleteIcon(int id) {
  if (icons_.erase(id) > 0 && active_ != nullptr) active_->RemoveIcon(id);
}

void TNotifyWindow::ChooseHost() {
  TTrayIconHost* chosen = nullptr;
  for (const auto& host : hosts_)
    if (host->Available()) {
      chosen = host.get();
      break;
    }
  if (chosen == active_) return;
  const bool existed = active_ != nullptr;
  if (active_ != nullptr)
    for (const auto& [id, state] : icons_) active_->RemoveIcon(id);
  active_ = chosen;
  if (active_ != nullptr)
    for (const auto& [id, state] : icons_) active_->SetIcon(id, state.icon, state.tip);
  if (existed != TrayExists()) emit trayExistsChanged(TrayExists());
}

TTaskTray* TNotifyWindow::Receiver(int id) const {
  // Only the protocol in use speaks for the icons.
  if (sender() != nullptr && sender() != active_) return nullptr;
  return busy_ ? nullptr : TTrayRegistry::Instance().Find(id);
}

void TNotifyWindow::Dispatch(int id, TTrayMessage message, QPoint screenPos) {
  TTaskTray* tray = Receiver(id);
  if (tray == nullptr) return;
  TBusyScope busy(busy_);
  try {
    switch (message) {
      case TTrayMessage::kMouseMove: tray->MouseMove(screenPos); break;
      case TTrayMessage::kLeftDown: tray->MouseDown(Qt::LeftButton, screenPos); break;
      case TTrayMessage::kLeftUp: tray->MouseUp(Qt::LeftButton, screenPos); break;
      case TTrayMessage::kLeftDoubleClick: tray->DblClick(Qt::LeftButton); break;
      case TTrayMessage::kRightDown: tray->MouseDown(Qt::RightButton, screenPos); break;
      case TTrayMessage::kRightUp: tray->MouseUp(Qt::RightButton, screenPos); break;
      case TTrayMessage::kRightDoubleClick: tray->DblClick(Qt::RightButton); break;
      case TTrayMessage::kMiddleDown: tray->MouseDown(Qt::MiddleButton, screenPos); break;
      case TTrayMessage::kMiddleUp: tray->MouseUp(Qt::MiddleButton, screenPos); break;
    }
  } catch (const std::exception& error) {
    // Nothing may be thrown through the event loop.
    std::fprintf(stderr, "orvana: %s\n", error.what());
  }
}

void TNotifyWindow::DispatchWheel(int id, int notches) {
  TTaskTray* tray = Receiver(id);
  if (tray == nullptr || notches == 0) return;
  TBusyScope busy(busy_);
  try {
    tray->Wheel(notches);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "orvana: %s\n", error.what());
  }
}

}  // namespace orvana::app
