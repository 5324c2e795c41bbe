#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <stdexcept>

#include "qt_test_application.h"
#include "ui/browse_for_folder.h"

namespace orvana::ui {
namespace {

// Plays the user of the next modal file dialog from inside its event loop:
// `step` is retried every 10 ms until it returns true. A dialog that never
// comes, or a step that never finishes, fails the test instead of hanging it.
class DialogUser {
 public:
  explicit DialogUser(std::function<bool(QFileDialog&)> step) : step_(std::move(step)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (dialog && dialog->isVisible() && step_(*dialog)) return timer_.stop();
      if (++polls_ < 1000) return;
      timer_.stop();
      ADD_FAILURE() << "no dialog, or the step never finished";
      if (dialog) dialog->reject();
    });
    timer_.start(10);
  }

 private:
  std::function<bool(QFileDialog&)> step_;
  QTimer timer_;
  int polls_ = 0;
};

QPushButton* AcceptButton(QFileDialog& dialog) {
  return dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open);
}

QLabel* StatusLine(QFileDialog& dialog) { return dialog.findChild<QLabel*>(QStringLiteral("statusLine")); }

// Makes `name` the current entry, as a click does; false while the listing is
// still being read.
bool SelectInList(QFileDialog& dialog, const QString& name) {
  auto* view = dialog.findChild<QListView*>(QStringLiteral("listView"));
  const QModelIndexList found =
      view->model()->match(view->model()->index(0, 0, view->rootIndex()), Qt::DisplayRole, name, 1, Qt::MatchExactly);
  if (found.isEmpty()) return false;
  view->setCurrentIndex(found.first());
  return true;
}

class RealFolderDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    orvana::testing::TestApplication();
    ASSERT_TRUE(QDir(temp.path()).mkpath(QStringLiteral("Songs")));
    ASSERT_TRUE(QDir(temp.path()).mkpath(QStringLiteral("Other")));
    chooser.SetSelectFolder(sfManual);
    chooser.SetSelectFolderName(temp.path());
  }

  QTemporaryDir temp;
  const QString songs = temp.path() + QStringLiteral("/Songs");
  TSHBrowseForFolderEx chooser;
};

TEST_F(RealFolderDialog, ChoosingAFolderShowsAndReturnsItsPathAndCancellingNothing) {
  const QString caption = QStringLiteral("追加するフォルダを選択して下さい");
  chooser.SetCaption(caption);
  chooser.SetOptions({sboReturnOnlyFSDirs, sboStatusTextAndShowPath});
  QStringList heard;
  QStringList statusLines;
  chooser.SetOnSelectionChanged(
      [&](TSHBrowseForFolderEx&, QWidget*, const QString& path, QString&, TOKButtonState&) { heard << path; });
  DialogUser choose([&](QFileDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), caption);
    EXPECT_TRUE(StatusLine(dialog)->isVisible());
    if (statusLines.isEmpty()) statusLines << StatusLine(dialog)->text();
    if (!SelectInList(dialog, QStringLiteral("Songs"))) return false;
    statusLines << StatusLine(dialog)->text();
    AcceptButton(dialog)->click();
    return true;
  });
  EXPECT_TRUE(chooser.Execute(nullptr));
  EXPECT_EQ(chooser.FolderPath(), songs);
  EXPECT_EQ(chooser.DisplayName(), QStringLiteral("Songs"));
  EXPECT_EQ(heard, QStringList({temp.path(), songs})) << "the start folder first";
  EXPECT_EQ(statusLines, QStringList({temp.path(), songs}));

  DialogUser cancel([](QFileDialog& dialog) { return dialog.close(); });
  EXPECT_FALSE(chooser.Execute(nullptr));
  EXPECT_TRUE(chooser.FolderPath().isEmpty());
  EXPECT_TRUE(chooser.DisplayName().isEmpty());
}

TEST_F(RealFolderDialog, TheHandlerEnablesAndDisablesTheAcceptButton) {
  chooser.SetOnSelectionChanged([&](TSHBrowseForFolderEx&, QWidget*, const QString& path, QString&,
                                    TOKButtonState& okButtonState) {
    okButtonState = path == songs ? obsEnable : obsDisable;
  });
  std::vector<bool> enabled;
  DialogUser user([&](QFileDialog& dialog) {
    EXPECT_FALSE(StatusLine(dialog)->isVisible()) << "no status option";
    if (enabled.empty()) enabled.push_back(AcceptButton(dialog)->isEnabled());
    if (!SelectInList(dialog, QStringLiteral("Songs"))) return false;
    enabled.push_back(AcceptButton(dialog)->isEnabled());
    SelectInList(dialog, QStringLiteral("Other"));
    enabled.push_back(AcceptButton(dialog)->isEnabled());
    return dialog.close();
  });
  chooser.Execute(nullptr);
  EXPECT_EQ(enabled, std::vector<bool>({false, true, false}));
}

TEST_F(RealFolderDialog, TheDialogSitsWhereShowStyleSaysModalOverItsOwner) {
  QWidget owner;
  owner.setGeometry(120, 90, 300, 200);
  owner.show();
  QRect placed;
  const auto note = [&](QFileDialog& dialog) {
    EXPECT_EQ(dialog.parentWidget(), &owner);
    EXPECT_TRUE(dialog.isModal());
    placed = QRect(dialog.pos(), dialog.size());
    return dialog.close();
  };
  DialogUser client(note);
  chooser.SetShowStyle(ssClient);
  chooser.Execute(&owner);
  EXPECT_EQ(placed.topLeft(), owner.mapToGlobal(QPoint(0, 0)));

  DialogUser centred(note);
  chooser.SetShowStyle(ssCenterScreen);
  chooser.Execute(&owner);
  const QRect area = owner.screen()->availableGeometry();
  EXPECT_EQ(placed.topLeft(),
            area.topLeft() + QPoint((area.width() - placed.width()) / 2, (area.height() - placed.height()) / 3));
}

TEST_F(RealFolderDialog, AnExceptionFromTheHandlerEndsTheDialogAndReachesTheCaller) {
  chooser.SetOnSelectionChanged([&](TSHBrowseForFolderEx&, QWidget*, const QString& path, QString&, TOKButtonState&) {
    if (path == songs) throw std::runtime_error("refused");
  });
  DialogUser user([](QFileDialog& dialog) { return SelectInList(dialog, QStringLiteral("Songs")); });
  EXPECT_THROW(chooser.Execute(nullptr), std::runtime_error);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace orvana::ui
