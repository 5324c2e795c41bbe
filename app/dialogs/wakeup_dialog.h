#pragma once
// TdlgWakeup: hours and minutes for the wake-up timer (a time of day) or for
// sleep mode (a duration, with the choice to end the program). The mode is
// set before the dialog is shown.
#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace orvana::app {

enum class TWakeupDialogMode { Wakeup, Sleep };

class TdlgWakeup : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 336;

  explicit TdlgWakeup(QWidget* parent = nullptr);

  void SetMode(TWakeupDialogMode mode);

  // The selected texts as numbers; 0 for no selection or a text that is
  // not a number.
  int Hours() const;
  int Minutes() const;

  QComboBox* cmbHour;
  QLabel* lblHour;
  QComboBox* cmbMin;
  QLabel* lblMin;
  QCheckBox* chkExit;
  QPushButton* btnOk;
  QPushButton* btnCancel;

 private:
  void LayOutRow();
};

}  // namespace orvana::app
