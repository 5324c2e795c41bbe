#pragma once
// TSHBrowseForFolderEx: lets the user choose a folder in the desktop's folder
// dialog (see TFolderDialog) and returns its path.
//
// The dialog starts in the selected folder (SelectFolder, or SelectFolderName
// for sfManual). A file dialog has no root to limit it; the root folder is
// where it starts instead when the selected folder lies outside the root. The
// desktop (rfDesktop, and rfManual without a usable name) holds every folder.
#include <QString>
#include <functional>
#include <optional>

#include "ui/browse_folder_types.h"

class QWidget;

namespace orvana::ui {

class TFolderDialog;

class TSHBrowseForFolderEx {
 public:
  // Told of every folder the user selects, and of the start folder first.
  // `path` is empty for an item without a path; `showText` (the status line,
  // empty on entry) and `okButtonState` (obsUnchanged on entry) go back to the
  // dialog.
  using TSHBrowseEvent = std::function<void(TSHBrowseForFolderEx& sender, QWidget* dialog, const QString& path,
                                            QString& showText, TOKButtonState& okButtonState)>;

  TSHBrowseForFolderEx() = default;
  virtual ~TSHBrowseForFolderEx() = default;
  TSHBrowseForFolderEx(const TSHBrowseForFolderEx&) = delete;
  TSHBrowseForFolderEx& operator=(const TSHBrowseForFolderEx&) = delete;

  // Shown as the dialog's window title.
  const QString& Caption() const { return caption_; }
  void SetCaption(const QString& caption);
  TRootFolder RootFolder() const { return rootFolder_; }
  void SetRootFolder(TRootFolder folder);
  const QString& RootFolderName() const { return rootFolderName_; }
  void SetRootFolderName(const QString& name);
  TSelectFolder SelectFolder() const { return selectFolder_; }
  void SetSelectFolder(TSelectFolder folder);
  const QString& SelectFolderName() const { return selectFolderName_; }
  void SetSelectFolderName(const QString& name);
  TSHBrowseOptions Options() const { return options_; }
  void SetOptions(TSHBrowseOptions options);
  TShowStyle ShowStyle() const { return showStyle_; }
  void SetShowStyle(TShowStyle style);
  void SetOnSelectionChanged(TSHBrowseEvent handler) { onSelectionChanged_ = std::move(handler); }

  // Runs the dialog modally over `owner` (may be null). True when a folder was
  // chosen; both results are empty otherwise.
  bool Execute(QWidget* owner);
  // The chosen folder's last path component ("/" for the root) and its
  // absolute path without a trailing separator.
  const QString& DisplayName() const { return displayName_; }
  const QString& FolderPath() const { return folderPath_; }

  // Where the next run starts.
  QString StartFolder() const;
  // The root's folder; nothing when the root is the desktop, which holds all.
  std::optional<QString> RootLimit() const;

  struct TSelectionFeedback {
    QString showText;
    TOKButtonState okButtonState = obsUnchanged;
  };
  // What the dialog shows after the user selected `path`: OnSelectionChanged's
  // answer, with the path as the status text under sboStatusTextAndShowPath.
  TSelectionFeedback SelectionChanged(QWidget* dialog, const QString& path);

 protected:
  // Runs the chooser; the chosen folder's path or nothing when cancelled.
  virtual std::optional<QString> RunDialog(QWidget* owner, const QString& startFolder);

 private:
  bool ShowsStatusLine() const;
  void ShowFeedback(TFolderDialog& dialog, const QString& path);

  QString caption_;
  TRootFolder rootFolder_ = rfDesktop;
  QString rootFolderName_;
  TSelectFolder selectFolder_ = sfDrives;
  QString selectFolderName_;
  TSHBrowseOptions options_{sboReturnOnlyFSDirs};
  TShowStyle showStyle_ = ssClient;
  TSHBrowseEvent onSelectionChanged_;
  QString displayName_;
  QString folderPath_;
};

}  // namespace orvana::ui
