#include "app/dialogs/open_url_dialog.h"

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include "qt_test_application.h"

namespace orvana::app {
namespace {

TEST(OpenUrlDialog, OkAndEnterTakeOnlyAStationsAddress) {
  orvana::testing::TestApplication();
  TdlgOpenUrl dialog;
  EXPECT_FALSE(dialog.btnOk->isEnabled());
  // What counts as an address is StreamAddress's; here, that OK follows it.
  dialog.edtUrl->setText(QStringLiteral("ftp://h/a.mp3"));
  EXPECT_FALSE(dialog.btnOk->isEnabled());
  dialog.edtUrl->setText(QStringLiteral("  HTTPS://h:8000/a.pls \t"));
  EXPECT_TRUE(dialog.btnOk->isEnabled());
  EXPECT_EQ(dialog.Address(), "HTTPS://h:8000/a.pls");

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
