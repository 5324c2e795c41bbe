#include "tray_display.h"

#include <signal.h>

#include "desktop/x_tools.h"

namespace orvana::testing {
namespace {

constexpr int kTrayStopMs = 2000;

}  // namespace

TTrayDisplay::TTrayDisplay() {
  if (folder_.Path().empty()) return;
  display_ = std::make_unique<TPrivateDisplay>(folder_.Path() + "/xvfb.log", "800x600x24");
}

TTrayDisplay::~TTrayDisplay() {
  StopTray();
  display_.reset();
}

std::vector<std::string> TTrayDisplay::Environment() const {
  std::vector<std::string> environment = folder_.Environment();
  environment.insert(environment.end(), {"PATH=/usr/local/bin:/usr/bin:/bin", "DISPLAY=" + Display(),
                                         "DBUS_SESSION_BUS_ADDRESS=disabled:", "LANG=C.UTF-8"});
  return environment;
}

void TTrayDisplay::StartTray() {
  if (tray_ != nullptr) return;
  tray_ = StartTrayer(Environment(), folder_.Path() + "/trayer.log");
}

void TTrayDisplay::StopTray() {
  if (tray_ == nullptr) return;
  tray_->Signal(SIGTERM);
  if (!tray_->WaitForExit(kTrayStopMs)) tray_->Kill();
  tray_.reset();
}

void TTrayDisplay::KillTray() {
  if (tray_ == nullptr) return;
  tray_->Kill();
  tray_.reset();
}

TCommandResult TTrayDisplay::Xdotool(const std::vector<std::string>& arguments) const {
  return RunXdotool(arguments, Environment());
}

}  // namespace orvana::testing
