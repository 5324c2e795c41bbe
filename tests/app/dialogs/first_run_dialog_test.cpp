#include "app/dialogs/first_run_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QLabel>

#include "qt_test_application.h"

namespace orvana::app {
namespace {

class FirstRunDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    orvana::testing::TestApplication();
    savedFont_ = QApplication::font();
  }
  void TearDown() override { QApplication::setFont(savedFont_); }

  static void UseFontOfPixels(int pixels) {
    QFont font = QApplication::font();
    font.setPixelSize(pixels);
    QApplication::setFont(font);
  }

 private:
  QFont savedFont_;
};

TEST_F(FirstRunDialogTest, ExplainsTheTrayIconAndItsDefaultClicksInOrder) {
  TdlgFirst dialog;
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Orvana"));
  std::vector<std::string> texts;
  for (const QLabel* label : dialog.Panel1->findChildren<QLabel*>()) texts.push_back(label->text().toStdString());
  EXPECT_EQ(texts, std::vector<std::string>({
                       "Orvanaへようこそ",
                       "Orvanaをダウンロードしていただき、ありがとうございます。"
                       "Orvanaの操作方法は少し変わっているので、ここで説明します。",
                       "タスクトレイに黒丸のアイコンが表示されていると思いますが、"
                       "このアイコンをクリック～トリプルクリックする事によって操作します。",
                       "まずはプレイリストに再生するファイルを追加して下さい。",
                       "左クリック：",
                       "再生／停止",
                       "左ダブルクリック：",
                       "次の曲へ",
                       "左トリプルクリック：",
                       "前の曲へ",
                       "右クリック：",
                       "プレイリストの表示／非表示",
                       "右ダブルクリック：",
                       "バージョン情報",
                       "右トリプルクリック：",
                       "終了",
                       "※操作方法は設定で変更できます。",
                   }));
  const QLabel* heading = dialog.Panel1->findChildren<QLabel*>().first();
  EXPECT_TRUE(heading->font().bold());
  EXPECT_EQ(QFontInfo(heading->font()).pixelSize(), 16);
  EXPECT_EQ(dialog.Panel1->palette().color(QPalette::Window), dialog.palette().color(QPalette::ToolTipBase));
}

TEST_F(FirstRunDialogTest, KeepsItsDesignedSizeWhereTheTextFits) {
  UseFontOfPixels(8);
  TdlgFirst dialog;
  EXPECT_EQ(dialog.size(), QSize(488, 240));
}

TEST_F(FirstRunDialogTest, GrowsOnlyInHeightForALargeFontAndCutsNoLine) {
  UseFontOfPixels(20);
  TdlgFirst dialog;
  dialog.show();
  QApplication::processEvents();
  EXPECT_EQ(dialog.width(), 488);
  EXPECT_GT(dialog.height(), 240);
  for (const QLabel* label : dialog.Panel1->findChildren<QLabel*>()) {
    const int needed = label->wordWrap() ? label->heightForWidth(label->width()) : label->sizeHint().height();
    EXPECT_GE(label->height(), needed) << label->text().toStdString();
  }
  EXPECT_LE(dialog.Button1->geometry().bottom(), dialog.height());
  EXPECT_GE(dialog.Button1->y(), dialog.Panel1->geometry().bottom());
  dialog.hide();
}

TEST_F(FirstRunDialogTest, TheBoxStartsUncheckedAndShowAgainFollowsIt) {
  TdlgFirst dialog;
  EXPECT_EQ(dialog.CheckBox1->text(), QStringLiteral("次回もこのウィンドウを表示する(&N)"));
  EXPECT_FALSE(dialog.ShowAgain());
  dialog.CheckBox1->click();
  EXPECT_TRUE(dialog.ShowAgain());
  dialog.CheckBox1->click();
  EXPECT_FALSE(dialog.ShowAgain());
}

TEST_F(FirstRunDialogTest, CloseIsTheDefaultAndAccepts) {
  TdlgFirst dialog;
  EXPECT_EQ(dialog.Button1->text(), QStringLiteral("閉じる"));
  EXPECT_TRUE(dialog.Button1->isDefault());
  dialog.CheckBox1->setChecked(true);
  dialog.Button1->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_TRUE(dialog.ShowAgain());  // read after it closed, as the window does
}

}  // namespace
}  // namespace orvana::app
