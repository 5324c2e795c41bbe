#pragma once
// The desktop's own folder chooser: a QFileDialog picking one directory,
// application-modal over its owner. Where the platform has a native dialog (a
// desktop portal, GTK) Qt uses it; the status line, the accept button's state
// and the placement then apply only to Qt's own dialog.
#include <QPointer>
#include <QString>
#include <exception>
#include <functional>
#include <optional>

#include "ui/browse_folder_types.h"

class QFileDialog;
class QLabel;
class QWidget;

namespace orvana::ui {

class TFolderDialog {
 public:
  using TSelectionHandler = std::function<void(const QString& path)>;

  // An empty caption keeps the dialog's own title.
  TFolderDialog(QWidget* owner, const QString& caption, const QString& startFolder);
  ~TFolderDialog();
  TFolderDialog(const TFolderDialog&) = delete;
  TFolderDialog& operator=(const TFolderDialog&) = delete;

  QWidget* Widget() const;
  void ShowStatusLine(bool show);
  void SetStatusText(const QString& text);
  void SetAcceptState(TOKButtonState state);
  void Place(TShowStyle style);
  // Called with the path of every folder the user selects or enters. An
  // exception from the handler closes the dialog and comes out of Exec.
  void OnSelectionChanged(TSelectionHandler handler);
  // The chosen folder as the dialog names it; nothing when cancelled.
  std::optional<QString> Exec();

 private:
  void Report(const QString& path);

  QPointer<QWidget> owner_;
  // Owned here, but parented to the owner for modality: guarded in case the
  // owner goes first.
  QPointer<QFileDialog> dialog_;
  QLabel* statusLine_ = nullptr;
  TSelectionHandler onSelectionChanged_;
  std::exception_ptr handlerError_;
};

}  // namespace orvana::ui
