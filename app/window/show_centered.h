#pragma once
// Every dialog of the program opens over the main window (also while the
// window is hidden: its last place counts), kept on the screen.
#include <QDialog>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace orvana::app {

// The dialog's top-left corner: centred on `mainWindow`, pulled back when it
// would leave the screen, and never above or left of the screen's origin.
QPoint CenteredPosition(const QRect& mainWindow, const QSize& dialog, const QSize& screen);

// Places the dialog, shows it modally and returns its result. While another
// modal dialog is open it brings that one to the front instead and returns
// QDialog::Rejected, as if this one had been cancelled.
int ShowCentered(QDialog& dialog, const QWidget& mainWindow);

}  // namespace orvana::app
