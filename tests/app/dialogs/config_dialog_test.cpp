// The settings dialog's own rules: the tray page's first selection, the
// working copy of the click functions, and what OK hands back.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QSlider>
#include <QTabWidget>

#include "app/dialogs/config_dialog.h"
#include "qt_test_application.h"
#include "ui/drag_edit.h"
#include "ui/font_name_combo_box.h"

namespace orvana::app {
namespace {

class ConfigDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    values.fontName = QStringLiteral("No Such Face 1234");
    values.fontSize = 12;
    values.clickFunctions = {0, 1, 2, 3, 5, 6};
    dialog.Fill(values);
  }
  QApplication& application = orvana::testing::TestApplication();  // before any widget
  TConfigValues values;
  TdlgConfig dialog;
};

TEST_F(ConfigDialog, OpensOnTheGeneralPageWithItsCaption) {
  EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Orvana - 設定"));
  EXPECT_EQ(dialog.PageControl1->currentIndex(), 0);
  EXPECT_EQ(dialog.PageControl1->tabText(1), QString::fromUtf8("トレイアイコン"));
  EXPECT_EQ(dialog.lstFunction->count(), 7);
  EXPECT_EQ(dialog.lstFunction->item(6)->text(), QString::fromUtf8("終了"));
  EXPECT_EQ(dialog.lstClickKind->item(4)->text(), QString::fromUtf8("右／ダブルクリック"));
}

TEST_F(ConfigDialog, TheTrayPageSelectsTheFirstClickKindAndItsFunction) {
  EXPECT_EQ(dialog.lstClickKind->currentRow(), -1);
  dialog.PageControl1->setCurrentIndex(1);
  EXPECT_EQ(dialog.lstClickKind->currentRow(), 0);
  EXPECT_EQ(dialog.lstFunction->currentRow(), 0);
  dialog.lstClickKind->setCurrentRow(4);
  EXPECT_EQ(dialog.lstFunction->currentRow(), 5);
  // Back and forth keeps the chosen kind.
  dialog.PageControl1->setCurrentIndex(0);
  dialog.PageControl1->setCurrentIndex(1);
  EXPECT_EQ(dialog.lstClickKind->currentRow(), 4);
}

TEST_F(ConfigDialog, FunctionsChangeOnlyTheWorkingCopyOfTheSelectedKind) {
  dialog.PageControl1->setCurrentIndex(1);
  dialog.lstClickKind->setCurrentRow(1);
  dialog.lstFunction->setCurrentRow(6);
  dialog.lstClickKind->setCurrentRow(2);
  EXPECT_EQ(dialog.lstFunction->currentRow(), 2);
  dialog.lstClickKind->setCurrentRow(1);
  EXPECT_EQ(dialog.lstFunction->currentRow(), 6);
  const TConfigValues chosen = dialog.Values();
  EXPECT_EQ(chosen.clickFunctions, (std::array<std::uint8_t, 6>{0, 6, 2, 3, 5, 6}));
  EXPECT_EQ(values.clickFunctions[1], 1);
}

TEST_F(ConfigDialog, TheClickWaitRunsFromATenthToThreeSeconds) {
  dialog.trcTrayIcon->triggerAction(QAbstractSlider::SliderToMinimum);
  EXPECT_EQ(dialog.Values().clickWait, 100);
  dialog.trcTrayIcon->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(dialog.Values().clickWait, 600);
  dialog.trcTrayIcon->triggerAction(QAbstractSlider::SliderToMaximum);
  EXPECT_EQ(dialog.Values().clickWait, 3000);
  dialog.trcPriority->triggerAction(QAbstractSlider::SliderToMaximum);
  EXPECT_EQ(dialog.Values().priority, 6);
}

TEST_F(ConfigDialog, AFaceNotInstalledShowsTheDrawnFaceAndIsKeptUnlessAnotherIsPicked) {
  EXPECT_EQ(dialog.FontNameComboBox1->currentIndex(), -1);  // nothing drawn named
  EXPECT_EQ(dialog.Values().fontName, values.fontName);
  ASSERT_GT(dialog.FontNameComboBox1->count(), 1);
  const QString drawn = dialog.FontNameComboBox1->itemText(1);
  values.drawnFontName = drawn;
  dialog.Fill(values);
  EXPECT_EQ(dialog.FontNameComboBox1->Value(), drawn);
  EXPECT_EQ(dialog.Values().fontName, values.fontName);
  const QString picked = dialog.FontNameComboBox1->itemText(0);
  dialog.FontNameComboBox1->SetValue(picked);
  EXPECT_EQ(dialog.Values().fontName, picked);
  // An installed stored face is shown as itself.
  values.fontName = picked;
  dialog.Fill(values);
  EXPECT_EQ(dialog.FontNameComboBox1->Value(), picked);
  EXPECT_EQ(dialog.Values().fontName, picked);
}

TEST_F(ConfigDialog, ATypedSizeOutsideTheRangeIsPulledIn) {
  EXPECT_EQ(dialog.Values().fontSize, 12);
  for (auto [typed, size] : {std::pair{"0", 1}, std::pair{"", 1}, std::pair{"500", 100}, std::pair{"100", 100}}) {
    dialog.DragEdit1->setText(QString::fromLatin1(typed));
    EXPECT_EQ(dialog.Values().fontSize, size) << typed;
  }
}

}  // namespace
}  // namespace orvana::app
