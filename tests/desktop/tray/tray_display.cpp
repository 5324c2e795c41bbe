#include "tray_display.h"

#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>

#include "desktop/x_tools.h"

namespace orvana::testing {
namespace {

namespace fs = std::filesystem;
constexpr int kTrayStopMs = 2000;

}  // namespace

TTrayDisplay::TTrayDisplay() {
  char folder[] = "/tmp/orvana-tray-XXXXXX";
  if (::mkdtemp(folder) == nullptr) return;
  root_ = folder;
  for (const char* sub : {"/home", "/config", "/runtime"}) ::mkdir((root_ + sub).c_str(), 0700);

  display_ = std::make_unique<TPrivateDisplay>(root_ + "/xvfb.log", "800x600x24");
}

TTrayDisplay::~TTrayDisplay() {
  StopTray();
  display_.reset();
  if (!root_.empty()) {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }
}

std::vector<std::string> TTrayDisplay::Environment() const {
  return {"PATH=/usr/local/bin:/usr/bin:/bin",
          "DISPLAY=" + Display(),
          "HOME=" + root_ + "/home",
          "XDG_CONFIG_HOME=" + root_ + "/config",
          "XDG_RUNTIME_DIR=" + root_ + "/runtime",
          "DBUS_SESSION_BUS_ADDRESS=disabled:",
          "LANG=C.UTF-8"};
}

void TTrayDisplay::StartTray() {
  if (tray_ != nullptr) return;
  tray_ = StartTrayer(Environment(), root_ + "/trayer.log");
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
