#include "app/dialogs/wakeup_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

namespace orvana::app {
namespace {

constexpr int kMargin = 8;
constexpr int kGap = 4;
constexpr int kComboWidth = 52;
constexpr int kRowHeight = 22;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;

struct TModeLayout {
  const char* caption;
  const char* hourLabel;
  const char* minuteLabel;
  bool exitShown;
  int buttonsTop;
  int clientHeight;
};

// Texts translated in context "Wakeup".
constexpr TModeLayout kWakeupLayout{QT_TRANSLATE_NOOP("Wakeup", "おはようタイマー"), QT_TRANSLATE_NOOP("Wakeup", "時"),
                                    QT_TRANSLATE_NOOP("Wakeup", "分 になったら再生開始します"), false, 40, 68};
constexpr TModeLayout kSleepLayout{QT_TRANSLATE_NOOP("Wakeup", "おやすみモード"), QT_TRANSLATE_NOOP("Wakeup", "時間"),
                                   QT_TRANSLATE_NOOP("Wakeup", "分 後に再生停止します"), true, 64, 92};

QString Text(const char* source) { return QCoreApplication::translate("Wakeup", source); }

int NumberOf(const QComboBox& box) {
  bool ok = false;
  const int value = box.currentText().toInt(&ok);
  return ok ? value : 0;
}

}  // namespace

TdlgWakeup::TdlgWakeup(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      cmbHour(new QComboBox(this)),
      lblHour(new QLabel(this)),
      cmbMin(new QComboBox(this)),
      lblMin(new QLabel(this)),
      chkExit(new QCheckBox(QCoreApplication::translate("Wakeup", "ついでに Orvana を終了します(&E)"), this)),
      btnOk(new QPushButton(QStringLiteral("OK"), this)),
      btnCancel(new QPushButton(QCoreApplication::translate("Wakeup", "キャンセル"), this)) {
  setObjectName("dlgWakeup");
  cmbHour->setObjectName("cmbHour");
  cmbMin->setObjectName("cmbMin");
  lblHour->setObjectName("lblHour");
  lblMin->setObjectName("lblMin");
  chkExit->setObjectName("chkExit");
  btnOk->setObjectName("btnOk");
  btnCancel->setObjectName("btnCancel");
  for (int hour = 0; hour <= 23; ++hour) cmbHour->addItem(QString::number(hour));
  cmbHour->setMaxVisibleItems(12);
  for (int minute = 0; minute <= 55; minute += 5) cmbMin->addItem(QString::number(minute));
  btnOk->setDefault(true);
  connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
  chkExit->move(kMargin, kMargin + kRowHeight + 8);
  SetMode(TWakeupDialogMode::Wakeup);
}

void TdlgWakeup::SetMode(TWakeupDialogMode mode) {
  const TModeLayout& layout = mode == TWakeupDialogMode::Wakeup ? kWakeupLayout : kSleepLayout;
  setWindowTitle(Text(layout.caption));
  lblHour->setText(Text(layout.hourLabel));
  lblMin->setText(Text(layout.minuteLabel));
  chkExit->setVisible(layout.exitShown);
  chkExit->adjustSize();
  // As wide as the style needs for "キャンセル", both alike.
  const int buttonWidth = std::max({kButtonWidth, btnOk->sizeHint().width(), btnCancel->sizeHint().width()});
  btnCancel->setGeometry(kClientWidth - kMargin - buttonWidth, layout.buttonsTop, buttonWidth, kButtonHeight);
  btnOk->setGeometry(btnCancel->x() - kGap - buttonWidth, layout.buttonsTop, buttonWidth, kButtonHeight);
  LayOutRow();
  setFixedSize(kClientWidth, layout.clientHeight);
}

// The labels' widths come from the font, so no text is cut whatever face
// the desktop gives.
void TdlgWakeup::LayOutRow() {
  int x = kMargin;
  for (auto [box, label] : {std::pair{cmbHour, lblHour}, std::pair{cmbMin, lblMin}}) {
    box->setGeometry(x, kMargin, kComboWidth, kRowHeight);
    x += kComboWidth + kGap;
    label->adjustSize();
    label->move(x, kMargin + (kRowHeight - label->height()) / 2);
    x += label->width() + 2 * kGap;
  }
}

int TdlgWakeup::Hours() const { return NumberOf(*cmbHour); }

int TdlgWakeup::Minutes() const { return NumberOf(*cmbMin); }

}  // namespace orvana::app
