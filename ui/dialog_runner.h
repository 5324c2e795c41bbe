#pragma once
// How a modal dialog is shown. The program shows it centred over its main
// window and returns exec()'s result; tests pass a runner that looks at the
// dialog, works its controls and returns a result without a nested loop.
#include <QDialog>
#include <functional>

namespace orvana::ui {

using TDialogRunner = std::function<int(QDialog& dialog)>;

}  // namespace orvana::ui
