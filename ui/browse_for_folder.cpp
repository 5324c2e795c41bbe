#include "ui/browse_for_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QWidget>

#include "ui/folder_dialog.h"
#include "ui/known_folders.h"

namespace orvana::ui {
namespace {

template <typename T>
void StoreIfChanged(T& field, const T& value) {
  if (field != value) field = value;
}

bool IsInside(const QString& path, const QString& folder) {
  if (folder == QDir::rootPath() || path == folder) return true;
  return path.startsWith(folder + QLatin1Char('/'));
}

// Brings the owner's window back to the front once the dialog is gone, however
// it went.
class OwnerToFront {
 public:
  explicit OwnerToFront(QWidget* owner) : window_(owner ? owner->window() : nullptr) {}
  ~OwnerToFront() {
    if (!window_ || !window_->isVisible()) return;
    window_->raise();
    window_->activateWindow();
  }
  OwnerToFront(const OwnerToFront&) = delete;
  OwnerToFront& operator=(const OwnerToFront&) = delete;

 private:
  QPointer<QWidget> window_;
};

}  // namespace

void TSHBrowseForFolderEx::SetCaption(const QString& caption) { StoreIfChanged(caption_, caption); }
void TSHBrowseForFolderEx::SetRootFolder(TRootFolder folder) { StoreIfChanged(rootFolder_, folder); }
void TSHBrowseForFolderEx::SetRootFolderName(const QString& name) { StoreIfChanged(rootFolderName_, name); }
void TSHBrowseForFolderEx::SetSelectFolder(TSelectFolder folder) { StoreIfChanged(selectFolder_, folder); }
void TSHBrowseForFolderEx::SetSelectFolderName(const QString& name) { StoreIfChanged(selectFolderName_, name); }
void TSHBrowseForFolderEx::SetOptions(TSHBrowseOptions options) { StoreIfChanged(options_, options); }
void TSHBrowseForFolderEx::SetShowStyle(TShowStyle style) { StoreIfChanged(showStyle_, style); }

bool TSHBrowseForFolderEx::Execute(QWidget* owner) {
  displayName_.clear();
  folderPath_.clear();
  const OwnerToFront ownerToFront(owner);
  const std::optional<QString> chosen = RunDialog(owner, StartFolder());
  if (!chosen || chosen->isEmpty()) return false;
  folderPath_ = QDir::cleanPath(QFileInfo(*chosen).absoluteFilePath());
  displayName_ = folderPath_ == QDir::rootPath() ? folderPath_ : QFileInfo(folderPath_).fileName();
  return true;
}

QString TSHBrowseForFolderEx::StartFolder() const {
  const QString selection = ResolveFolder(AsRootFolder(selectFolder_), selectFolderName_);
  const std::optional<QString> root = RootLimit();
  return !root || IsInside(selection, *root) ? selection : *root;
}

std::optional<QString> TSHBrowseForFolderEx::RootLimit() const {
  if (rootFolder_ == rfDesktop) return std::nullopt;
  if (rootFolder_ == rfManual) return ManualFolderPath(rootFolderName_);
  return KnownFolderPath(rootFolder_);
}

TSHBrowseForFolderEx::TSelectionFeedback TSHBrowseForFolderEx::SelectionChanged(QWidget* dialog,
                                                                                const QString& path) {
  TSelectionFeedback feedback;
  if (onSelectionChanged_) onSelectionChanged_(*this, dialog, path, feedback.showText, feedback.okButtonState);
  if (options_.Contains(sboStatusTextAndShowPath)) feedback.showText = path;
  return feedback;
}

bool TSHBrowseForFolderEx::ShowsStatusLine() const {
  return options_.Contains(sboStatusTextAndShowPath) || options_.Contains(sboStatusText);
}

void TSHBrowseForFolderEx::ShowFeedback(TFolderDialog& dialog, const QString& path) {
  const TSelectionFeedback feedback = SelectionChanged(dialog.Widget(), path);
  dialog.SetStatusText(feedback.showText);
  dialog.SetAcceptState(feedback.okButtonState);
}

std::optional<QString> TSHBrowseForFolderEx::RunDialog(QWidget* owner, const QString& startFolder) {
  TFolderDialog dialog(owner, caption_, startFolder);
  dialog.ShowStatusLine(ShowsStatusLine());
  dialog.Place(showStyle_);
  dialog.OnSelectionChanged([this, &dialog](const QString& path) { ShowFeedback(dialog, path); });
  // The start folder is the first selection the handler hears of.
  ShowFeedback(dialog, startFolder);
  return dialog.Exec();
}

}  // namespace orvana::ui
