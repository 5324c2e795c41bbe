#include "app/window/show_centered.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace orvana::app {
namespace {

int CenteredOn(int mainStart, int mainLength, int dialogLength, int screenLength) {
  int start = std::max(mainStart + (mainLength - dialogLength) / 2, 0);
  if (start + dialogLength > screenLength) start = screenLength - dialogLength;
  // A dialog larger than the screen keeps its title bar in reach.
  return std::max(start, 0);
}

}  // namespace

QPoint CenteredPosition(const QRect& mainWindow, const QSize& dialog, const QSize& screen) {
  return {CenteredOn(mainWindow.left(), mainWindow.width(), dialog.width(), screen.width()),
          CenteredOn(mainWindow.top(), mainWindow.height(), dialog.height(), screen.height())};
}

int ShowCentered(QDialog& dialog, const QWidget& mainWindow) {
  // The tray and the timers run commands while a dialog is open: one dialog
  // over another would stack modal loops. The open one comes to the front.
  if (QWidget* open = QApplication::activeModalWidget()) {
    open->raise();
    open->activateWindow();
    return QDialog::Rejected;
  }
  dialog.adjustSize();
  const QScreen* screen = mainWindow.screen();
  const QSize screenSize = screen != nullptr ? screen->size() : QSize(1 << 16, 1 << 16);
  dialog.move(CenteredPosition(mainWindow.frameGeometry(), dialog.frameGeometry().size(), screenSize));
  return dialog.exec();
}

}  // namespace orvana::app
