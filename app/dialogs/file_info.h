#pragma once
// The "ファイル情報" command for one playlist item: its tag and lyrics in
// TdlgMPEGInfo, shown over the main window.
#include <QWidget>
#include <string>

#include "ui/dialog_runner.h"

namespace orvana::app {

// Shows the dialog for the file at `path` through `run` (the window's
// runner). Returns false, showing nothing, when no file is there.
bool ShowFileInfo(const std::string& path, QWidget& owner, const ui::TDialogRunner& run);

}  // namespace orvana::app
