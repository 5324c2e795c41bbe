#pragma once
// The desktop programs the tests drive: trayer as an XEmbed tray,
// lxqt-panel as a StatusNotifierItem host, and xdotool as the person at the
// keyboard and mouse.
#include <memory>
#include <string>
#include <vector>

#include "child_process.h"

namespace orvana::testing {

// trayer, an XEmbed system tray, along the top right of the screen.
std::unique_ptr<TChildProcess> StartTrayer(const std::vector<std::string>& environment, const std::string& logPath);

// lxqt-panel holding only its status notifier area (a StatusNotifierItem
// host and watcher) along the top; its configuration goes in `folder`.
std::unique_ptr<TChildProcess> StartStatusNotifierPanel(const std::vector<std::string>& environment,
                                                        const std::string& folder);

// xdotool with `arguments`, bounded in time.
TCommandResult RunXdotool(const std::vector<std::string>& arguments, const std::vector<std::string>& environment);

}  // namespace orvana::testing
