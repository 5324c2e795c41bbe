#include "ui/folder_dialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <utility>

namespace orvana::ui {
namespace {

QPushButton* AcceptButton(QFileDialog& dialog) {
  auto* buttons = dialog.findChild<QDialogButtonBox*>();
  if (!buttons) return nullptr;
  for (QAbstractButton* button : buttons->buttons())
    if (buttons->buttonRole(button) == QDialogButtonBox::AcceptRole) return qobject_cast<QPushButton*>(button);
  return nullptr;
}

// Centred across the work area and a third of the way down, but never with the
// title bar above or left of it.
QPoint CentredOnWorkArea(const QRect& workArea, QSize size) {
  const QPoint offset((workArea.width() - size.width()) / 2, (workArea.height() - size.height()) / 3);
  return workArea.topLeft() + QPoint(std::max(0, offset.x()), std::max(0, offset.y()));
}

}  // namespace

TFolderDialog::TFolderDialog(QWidget* owner, const QString& caption, const QString& startFolder)
    : owner_(owner), dialog_(new QFileDialog(owner)) {
  dialog_->setFileMode(QFileDialog::Directory);
  dialog_->setOption(QFileDialog::ShowDirsOnly);
  dialog_->setAcceptMode(QFileDialog::AcceptOpen);
  if (!caption.isEmpty()) dialog_->setWindowTitle(caption);
  dialog_->setDirectory(startFolder);
  // Qt's own dialog lays itself out on a grid; a native one has no layout.
  if (auto* grid = qobject_cast<QGridLayout*>(dialog_->layout())) {
    statusLine_ = new QLabel(dialog_);
    statusLine_->setObjectName(QStringLiteral("statusLine"));
    statusLine_->setTextFormat(Qt::PlainText);
    statusLine_->hide();
    grid->addWidget(statusLine_, grid->rowCount(), 0, 1, grid->columnCount());
  }
  const auto report = [this](const QString& path) { Report(path); };
  QObject::connect(dialog_, &QFileDialog::currentChanged, dialog_, report);
  QObject::connect(dialog_, &QFileDialog::directoryEntered, dialog_, report);
}

TFolderDialog::~TFolderDialog() { delete dialog_.data(); }

QWidget* TFolderDialog::Widget() const { return dialog_; }

void TFolderDialog::ShowStatusLine(bool show) {
  if (statusLine_) statusLine_->setVisible(show);
}

void TFolderDialog::SetStatusText(const QString& text) {
  if (statusLine_) statusLine_->setText(text);
}

void TFolderDialog::SetAcceptState(TOKButtonState state) {
  if (state == obsUnchanged || !dialog_) return;
  if (QPushButton* button = AcceptButton(*dialog_)) button->setEnabled(state == obsEnable);
}

void TFolderDialog::Place(TShowStyle style) {
  if (!dialog_ || style == ssNone) return;
  if (style == ssClient) {
    if (owner_) dialog_->move(owner_->window()->mapToGlobal(QPoint(0, 0)));
    return;
  }
  QScreen* screen = owner_ ? owner_->screen() : dialog_->screen();
  if (!screen) return;
  if (!dialog_->testAttribute(Qt::WA_Resized)) dialog_->adjustSize();
  dialog_->move(CentredOnWorkArea(screen->availableGeometry(), dialog_->size()));
}

void TFolderDialog::OnSelectionChanged(TSelectionHandler handler) { onSelectionChanged_ = std::move(handler); }

void TFolderDialog::Report(const QString& path) {
  if (!onSelectionChanged_ || handlerError_) return;
  try {
    onSelectionChanged_(path);
  } catch (...) {
    // Exceptions must not cross Qt's event loop: keep it for Exec.
    handlerError_ = std::current_exception();
    if (dialog_) dialog_->reject();
  }
}

std::optional<QString> TFolderDialog::Exec() {
  if (!dialog_) return std::nullopt;
  const int result = dialog_->exec();
  if (handlerError_) std::rethrow_exception(std::exchange(handlerError_, nullptr));
  if (!dialog_ || result != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog_->selectedFiles();
  if (chosen.isEmpty() || chosen.first().isEmpty()) return std::nullopt;
  return chosen.first();
}

}  // namespace orvana::ui
