#pragma once
// The X programs the desktop tests drive: trayer as the system tray, and
// xdotool as the person at the keyboard and mouse.
#include <memory>
#include <string>
#include <vector>

#include "child_process.h"

namespace orvana::testing {

// trayer, an XEmbed system tray, along the top right of the screen.
std::unique_ptr<TChildProcess> StartTrayer(const std::vector<std::string>& environment, const std::string& logPath);

// xdotool with `arguments`, bounded in time.
TCommandResult RunXdotool(const std::vector<std::string>& arguments, const std::vector<std::string>& environment);

}  // namespace orvana::testing
