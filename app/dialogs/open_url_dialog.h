#pragma once
// TdlgOpenUrl: the address of a station (or of its playlist) to open. OK
// takes only an http:// or https:// address.
#include <QDialog>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace orvana::app {

class TdlgOpenUrl : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 440;

  explicit TdlgOpenUrl(QWidget* parent = nullptr);

  // The address typed, without blanks at its ends.
  std::string Address() const;

  QLabel* lblUrl;
  QLineEdit* edtUrl;
  QPushButton* btnOk;
  QPushButton* btnCancel;

 private:
  void UpdateOk();
};

}  // namespace orvana::app
