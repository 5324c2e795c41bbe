#pragma once
// A private X server for the tray tests, with a tray (trayer) that a test
// starts and stops as it likes, and xdotool run against it. HOME and the
// configuration and runtime folders live in a fresh 0700 folder.
#include <memory>
#include <string>
#include <vector>

#include "desktop/child_process.h"
#include "desktop/fresh_folder.h"
#include "desktop/private_display.h"

namespace orvana::testing {

class TTrayDisplay {
 public:
  TTrayDisplay();
  ~TTrayDisplay();
  TTrayDisplay(const TTrayDisplay&) = delete;
  TTrayDisplay& operator=(const TTrayDisplay&) = delete;

  bool Ready() const { return display_ != nullptr && display_->Ready(); }
  const std::string& Display() const { return display_->Name(); }
  const std::string& Folder() const { return folder_.Path(); }
  std::vector<std::string> Environment() const;

  void StartTray();
  // Ends the tray as a logout would (SIGTERM; SIGKILL if it stays).
  void StopTray();
  // Ends it as a crash would.
  void KillTray();
  bool TrayRunning() const { return tray_ != nullptr; }

  TCommandResult Xdotool(const std::vector<std::string>& arguments) const;

 private:
  TFreshFolder folder_{"tray"};  // first made, last removed
  std::unique_ptr<TPrivateDisplay> display_;
  std::unique_ptr<TChildProcess> tray_;
};

}  // namespace orvana::testing
