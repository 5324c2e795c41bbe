// Every dialog, and the playlist window's tool bar, at the program's own font
// (the Japanese faces the program installs), in Japanese and in English: no
// text cut by its control, no control outside its window, no two controls
// over each other.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <memory>
#include <string>
#include <vector>

#include "app/dialogs/config_dialog.h"
#include "app/dialogs/equalizer_window.h"
#include "app/dialogs/find_song_dialog.h"
#include "app/dialogs/first_run_dialog.h"
#include "app/dialogs/mpeg_info_dialog.h"
#include "app/dialogs/open_url_dialog.h"
#include "app/dialogs/wakeup_dialog.h"
#include "app/playlist/playlist_model.h"
#include "app/playlist/song_item.h"
#include "app/window/japanese_fonts.h"
#include "app/window/main_window.h"
#include "english_interface.h"
#include "qt_test_application.h"
#include "ui/about_dialog.h"

namespace orvana::app {
namespace {

std::string Describe(const QWidget& widget) {
  const QString name = widget.objectName().isEmpty() ? QString::fromLatin1(widget.metaObject()->className())
                                                      : widget.objectName();
  return name.toStdString();
}

// A text control shows all of its text.
bool TextFits(const QWidget& widget) {
  if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
    if (label->text().isEmpty()) return true;
    if (label->wordWrap()) return label->heightForWidth(label->width()) <= label->height();
    return label->sizeHint().width() <= label->width() && label->sizeHint().height() <= label->height() + 2;
  }
  if (const auto* button = qobject_cast<const QAbstractButton*>(&widget))
    return button->text().isEmpty() || button->sizeHint().width() <= button->width();
  if (const auto* group = qobject_cast<const QGroupBox*>(&widget))
    return group->fontMetrics().horizontalAdvance(group->title()) < group->width();
  return true;
}

// Controls that are neither containers nor parts of another control.
bool IsLeafControl(const QWidget& widget) {
  return qobject_cast<const QLabel*>(&widget) != nullptr || qobject_cast<const QAbstractButton*>(&widget) != nullptr ||
         qobject_cast<const QComboBox*>(&widget) != nullptr || qobject_cast<const QAbstractSlider*>(&widget) != nullptr;
}

void CollectFaults(const QWidget& parent, std::vector<std::string>& faults) {
  std::vector<const QWidget*> leaves;
  for (const QWidget* child : parent.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (!child->isVisible() || child->isWindow()) continue;
    if (!TextFits(*child)) faults.push_back(Describe(*child) + ": text cut");
    if (!parent.rect().contains(child->geometry())) faults.push_back(Describe(*child) + ": outside its parent");
    if (IsLeafControl(*child)) leaves.push_back(child);
    if (!qobject_cast<const QComboBox*>(child)) CollectFaults(*child, faults);
  }
  for (std::size_t i = 0; i < leaves.size(); ++i)
    for (std::size_t j = i + 1; j < leaves.size(); ++j)
      if (leaves[i]->geometry().intersects(leaves[j]->geometry()))
        faults.push_back(Describe(*leaves[i]) + " overlaps " + Describe(*leaves[j]));
}

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

class DialogLayout : public ::testing::TestWithParam<TInterfaceLanguage> {
 protected:
  static void SetUpTestSuite() {
    orvana::testing::TestApplication();
    InstallJapaneseFontSubstitutes();
    QApplication::setFont(WindowFont());
  }
  void SetUp() override {
    if (GetParam() == TInterfaceLanguage::English) {
      english_ = std::make_unique<orvana::testing::TEnglishInterface>();
      ASSERT_TRUE(english_->Loaded());
    }
  }
  using Faults = std::vector<std::string>;

 private:
  std::unique_ptr<orvana::testing::TEnglishInterface> english_;
};

TEST_P(DialogLayout, WakeupDialogInBothModes) {
  TdlgWakeup dialog;
  EXPECT_EQ(LayoutFaults(dialog), Faults{});
  dialog.SetMode(TWakeupDialogMode::Sleep);
  EXPECT_EQ(LayoutFaults(dialog), Faults{});
}

TEST_P(DialogLayout, SettingsDialogOnBothPages) {
  TdlgConfig dialog;
  EXPECT_EQ(LayoutFaultsOfEveryPage(dialog, *dialog.PageControl1), Faults{});
  EXPECT_EQ(dialog.size(), QSize(336, 332));
}

TEST_P(DialogLayout, TagDialogOnBothPages) {
  TdlgMPEGInfo dialog;
  EXPECT_EQ(LayoutFaultsOfEveryPage(dialog, *dialog.PageControl1), Faults{});
}

TEST_P(DialogLayout, EqualizerWindowWithTheLongestValues) {
  TSoundShaping shaping;
  TSoundShapingSettings settings;
  settings.curve = {-120, {-120, 120, -120, 120, -120, 120, -120, 120, -120, 120}};
  settings.replayGain = {rgcAlbum, -150, -150, true};
  shaping.Load(settings);
  const ui::TDialogRunner run;
  TdlgEqualizer window(shaping, run);
  EXPECT_EQ(LayoutFaults(window), Faults{});
}

TEST_P(DialogLayout, FirstRunDialog) {
  TdlgFirst dialog;
  EXPECT_EQ(LayoutFaults(dialog), Faults{});
}

TEST_P(DialogLayout, OpenUrlDialog) {
  TdlgOpenUrl dialog;
  EXPECT_EQ(LayoutFaults(dialog), Faults{});
}

TEST_P(DialogLayout, FindSongDialogWithMatches) {
  TPlaylist playlist;
  playlist.Append({ItemFromFileName("/m/パイプオルガンのための小品集 第一番.mp3")});
  const TPlaylistModel model(playlist);
  TdlgFindSong dialog(playlist, model);
  dialog.edtFind->setText(QStringLiteral("おるがん"));
  EXPECT_EQ(LayoutFaults(dialog), Faults{});
}

// The version window as the playlist window shows it (its texts in ui/). By
// its design the window ends on its second separator and its "ok" button is
// narrower than the style would make it; nothing else may be at fault.
TEST_P(DialogLayout, AboutDialog) {
  QCoreApplication::setApplicationVersion(QStringLiteral("1.0"));
  ui::TAboutDialog about;
  about.SetYear(QStringLiteral("2024-2026"));
  Faults faults;
  about.Execute(nullptr, [&](QDialog& dialog) {
    faults = LayoutFaults(dialog);
    return int(QDialog::Accepted);
  });
  EXPECT_EQ(faults, (Faults{"Bevel2: outside its parent", "Button1: text cut"}));
}

// The volume slider after the buttons, beside the history, at the window's
// first size: shown in full, not folded into the tool bar's menu.
TEST_P(DialogLayout, ToolBarWithTheVolume) {
  TForm1 window(TFormFiles{});
  window.resize(560, 320);
  window.show();
  QApplication::processEvents();
  Faults faults;
  CollectFaults(*window.Widgets().Panel2, faults);
  EXPECT_EQ(faults, Faults{});
  EXPECT_TRUE(window.Widgets().trbVolume->isVisible());
}

INSTANTIATE_TEST_SUITE_P(InBothLanguages, DialogLayout,
                         ::testing::Values(TInterfaceLanguage::Japanese, TInterfaceLanguage::English),
                         [](const auto& info) {
                           return info.param == TInterfaceLanguage::Japanese ? "Japanese" : "English";
                         });

}  // namespace
}  // namespace orvana::app
