#pragma once
// TdlgFirst: the welcome shown at the first start. It explains that the
// program is worked through clicks on its tray icon and asks whether to show
// itself again next time.
#include <QCheckBox>
#include <QDialog>
#include <QFrame>
#include <QPushButton>

namespace orvana::app {

class TdlgFirst : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 488;
  // The least height; the window is taller when the font's lines need it.
  static constexpr int kClientHeight = 240;

  explicit TdlgFirst(QWidget* parent = nullptr);

  // "次回もこのウィンドウを表示する" is checked.
  bool ShowAgain() const { return CheckBox1->isChecked(); }

  QFrame* Panel1;
  QCheckBox* CheckBox1;
  QPushButton* Button1;

 private:
  void BuildPanel();
};

}  // namespace orvana::app
