// Every dialog at the program's own font (the Japanese faces the program
// installs): no text cut by its control, no control outside its window, no
// two controls over each other.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTabWidget>
#include <string>
#include <vector>

#include "app/dialogs/config_dialog.h"
#include "app/dialogs/first_run_dialog.h"
#include "app/dialogs/mpeg_info_dialog.h"
#include "app/dialogs/wakeup_dialog.h"
#include "app/layout_faults.h"
#include "app/window/japanese_fonts.h"
#include "qt_test_application.h"

namespace orvana::app {
namespace {

using testing::CollectFaults;

std::vector<std::string> LayoutFaults(QDialog& dialog) {
  dialog.show();
  QApplication::processEvents();
  std::vector<std::string> faults;
  CollectFaults(dialog, faults);
  dialog.hide();
  return faults;
}

// Each page of the dialog's tabs in turn.
std::vector<std::string> LayoutFaultsOfEveryPage(QDialog& dialog, QTabWidget& pages) {
  std::vector<std::string> faults;
  for (int page = 0; page < pages.count(); ++page) {
    pages.setCurrentIndex(page);
    for (std::string& fault : LayoutFaults(dialog)) faults.push_back(std::to_string(page) + ": " + fault);
  }
  return faults;
}

class DialogLayout : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    orvana::testing::TestApplication();
    InstallJapaneseFontSubstitutes();
    QApplication::setFont(WindowFont());
  }
  using Faults = std::vector<std::string>;
};

TEST_F(DialogLayout, WakeupDialogInBothModes) {
  TdlgWakeup dialog;
  EXPECT_EQ(LayoutFaults(dialog), Faults{});
  dialog.SetMode(TWakeupDialogMode::Sleep);
  EXPECT_EQ(LayoutFaults(dialog), Faults{});
}

TEST_F(DialogLayout, SettingsDialogOnBothPages) {
  TdlgConfig dialog;
  EXPECT_EQ(LayoutFaultsOfEveryPage(dialog, *dialog.PageControl1), Faults{});
  EXPECT_EQ(dialog.size(), QSize(336, 332));
}

TEST_F(DialogLayout, TagDialogOnBothPages) {
  TdlgMPEGInfo dialog;
  EXPECT_EQ(LayoutFaultsOfEveryPage(dialog, *dialog.PageControl1), Faults{});
}

TEST_F(DialogLayout, FirstRunDialog) {
  TdlgFirst dialog;
  EXPECT_EQ(LayoutFaults(dialog), Faults{});
}

}  // namespace
}  // namespace orvana::app
