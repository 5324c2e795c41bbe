#include "app/dialogs/open_url_dialog.h"

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "qt_test_application.h"

namespace orvana::app {
namespace {

TEST(OpenUrlDialog, OkAndEnterTakeOnlyAStationsAddress) {
  orvana::testing::TestApplication();
  TdlgOpenUrl dialog;
  EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("URLを開く"));
  EXPECT_EQ(dialog.lblUrl->text(), QStringLiteral("URL:"));
  EXPECT_EQ(dialog.btnCancel->text(), QString::fromUtf8("キャンセル"));
  EXPECT_FALSE(dialog.btnOk->isEnabled());
  const std::pair<const char*, bool> cases[] = {
      {"http://radio.example/stream", true}, {"  HTTPS://h:8000/a.pls \t", true}, {"http://", false},
      {"ftp://h/a.mp3", false},              {"radio.example", false},            {"http://h/a b", false},
      {"/music/a.mp3", false},               {"", false}};
  for (const auto& [text, accepted] : cases) {
    dialog.edtUrl->setText(QString::fromUtf8(text));
    EXPECT_EQ(dialog.btnOk->isEnabled(), accepted) << text;
  }
  EXPECT_EQ(dialog.Address(), "");
  dialog.edtUrl->setText(QStringLiteral(" https://h/a "));
  EXPECT_EQ(dialog.Address(), "https://h/a");

  // Enter presses OK only while it may be pressed.
  dialog.show();
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  dialog.edtUrl->setText(QStringLiteral("radio.example"));
  QCoreApplication::sendEvent(&dialog, &enter);
  EXPECT_TRUE(dialog.isVisible());
  dialog.edtUrl->setText(QStringLiteral("http://radio.example/"));
  QCoreApplication::sendEvent(&dialog, &enter);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace orvana::app
