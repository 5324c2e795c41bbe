#include "app/dialogs/first_run_dialog.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

namespace orvana::app {
namespace {

constexpr int kHeadingPixels = 16;

// The tray icon's clicks as the settings have them at first.
// Texts translated in context "FirstRun".
constexpr const char* kDefaultClicks[][2] = {
    {QT_TRANSLATE_NOOP("FirstRun", "左クリック："), QT_TRANSLATE_NOOP("FirstRun", "再生／停止")},
    {QT_TRANSLATE_NOOP("FirstRun", "左ダブルクリック："), QT_TRANSLATE_NOOP("FirstRun", "次の曲へ")},
    {QT_TRANSLATE_NOOP("FirstRun", "左トリプルクリック："), QT_TRANSLATE_NOOP("FirstRun", "前の曲へ")},
    {QT_TRANSLATE_NOOP("FirstRun", "右クリック："), QT_TRANSLATE_NOOP("FirstRun", "プレイリストの表示／非表示")},
    {QT_TRANSLATE_NOOP("FirstRun", "右ダブルクリック："), QT_TRANSLATE_NOOP("FirstRun", "バージョン情報")},
    {QT_TRANSLATE_NOOP("FirstRun", "右トリプルクリック："), QT_TRANSLATE_NOOP("FirstRun", "終了")},
};

QString Text(const char* source) { return QCoreApplication::translate("FirstRun", source); }

QLabel* Paragraph(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setWordWrap(true);
  return label;
}

}  // namespace

TdlgFirst::TdlgFirst(QWidget* parent) : QDialog(parent) {
  setObjectName("dlgFirst");
  setWindowTitle(QStringLiteral("Orvana"));
  BuildPanel();
  CheckBox1 = new QCheckBox(QCoreApplication::translate("FirstRun", "次回もこのウィンドウを表示する(&N)"), this);
  CheckBox1->setObjectName("CheckBox1");
  Button1 = new QPushButton(QCoreApplication::translate("FirstRun", "閉じる"), this);
  Button1->setObjectName("Button1");
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);

  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 8);
  column->addWidget(Panel1, 1);
  auto* bottom = new QHBoxLayout;
  bottom->setContentsMargins(8, 0, 8, 0);
  bottom->addWidget(CheckBox1);
  bottom->addStretch(1);
  bottom->addWidget(Button1);
  column->addLayout(bottom);
  // Designed for a smaller Japanese face: a taller one makes the window
  // grow only as far as its text needs.
  setFixedSize(kClientWidth, std::max(kClientHeight, column->totalHeightForWidth(kClientWidth)));
}

void TdlgFirst::BuildPanel() {
  Panel1 = new QFrame(this);
  Panel1->setObjectName("Panel1");
  Panel1->setAutoFillBackground(true);
  QPalette tip = Panel1->palette();
  tip.setColor(QPalette::Window, tip.color(QPalette::ToolTipBase));
  tip.setColor(QPalette::WindowText, tip.color(QPalette::ToolTipText));
  Panel1->setPalette(tip);

  auto* column = new QVBoxLayout(Panel1);
  column->setContentsMargins(6, 4, 6, 4);
  column->setSpacing(2);
  auto* heading = new QLabel(QCoreApplication::translate("FirstRun", "Orvanaへようこそ"), Panel1);
  QFont bold = heading->font();
  bold.setBold(true);
  bold.setPixelSize(kHeadingPixels);
  heading->setFont(bold);
  column->addWidget(heading);
  column->addWidget(
      Paragraph(QCoreApplication::translate("FirstRun",
                                            "Orvanaをダウンロードしていただき、ありがとうございます。"
                                            "Orvanaの操作方法は少し変わっているので、ここで説明します。"),
                Panel1));
  column->addWidget(
      Paragraph(QCoreApplication::translate("FirstRun",
                                            "タスクトレイに黒丸のアイコンが表示されていると思いますが、"
                                            "このアイコンをクリック～トリプルクリックする事によって操作します。"),
                Panel1));
  column->addWidget(
      Paragraph(QCoreApplication::translate("FirstRun", "まずはプレイリストに再生するファイルを追加して下さい。"),
                Panel1));
  auto* clicks = new QGridLayout;
  clicks->setContentsMargins(16, 0, 0, 0);
  clicks->setHorizontalSpacing(4);
  clicks->setVerticalSpacing(0);
  for (int row = 0; row < int(std::size(kDefaultClicks)); ++row) {
    clicks->addWidget(new QLabel(Text(kDefaultClicks[row][0]), Panel1), row, 0);
    clicks->addWidget(new QLabel(Text(kDefaultClicks[row][1]), Panel1), row, 1);
  }
  clicks->setColumnStretch(2, 1);
  column->addLayout(clicks);
  column->addWidget(Paragraph(QCoreApplication::translate("FirstRun", "※操作方法は設定で変更できます。"), Panel1));
  column->addStretch(1);
}

}  // namespace orvana::app
