#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>

#include "qt_test_application.h"
#include "ui/browse_for_folder.h"
#include "ui/known_folders.h"

namespace orvana::ui {
namespace {

// A chooser whose dialog answers as told and remembers where it started.
class ScriptedChooser : public TSHBrowseForFolderEx {
 public:
  std::optional<QString> answer;
  QString startedIn;

 protected:
  std::optional<QString> RunDialog(QWidget*, const QString& startFolder) override {
    startedIn = startFolder;
    return answer;
  }
};

class BrowseForFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    orvana::testing::TestApplication();
    ASSERT_TRUE(QDir().mkpath(music + QStringLiteral("/Albums")));
    QFile file(plainFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }

  QTemporaryDir temp;
  const QString music = temp.path() + QStringLiteral("/Music");
  const QString plainFile = temp.path() + QStringLiteral("/song.mp3");
  const QString desktop = KnownFolderPath(rfDesktop);
  ScriptedChooser chooser;
};

TEST_F(BrowseForFolder, OkGivesTheCleanPathAndItsNameAndCancelGivesNothing) {
  const std::pair<QString, QString> answers[] = {
      {music + QStringLiteral("//Albums/"), QStringLiteral("Albums")},
      {music + QStringLiteral("/Albums/../../Music"), QStringLiteral("Music")},
      {QStringLiteral("/"), QStringLiteral("/")},
  };
  for (const auto& [answer, name] : answers) {
    chooser.answer = answer;
    EXPECT_TRUE(chooser.Execute(nullptr));
    EXPECT_EQ(chooser.FolderPath(), QDir::cleanPath(answer));
    EXPECT_EQ(chooser.DisplayName(), name);
  }
  for (std::optional<QString> cancelled : {std::optional<QString>(), std::optional(QString())}) {
    chooser.answer = cancelled;
    EXPECT_FALSE(chooser.Execute(nullptr));
    EXPECT_TRUE(chooser.FolderPath().isEmpty());
    EXPECT_TRUE(chooser.DisplayName().isEmpty());
  }
}

TEST_F(BrowseForFolder, TheSelectionStartsTheDialogAndABadManualOneIsTheDesktop) {
  chooser.Execute(nullptr);
  EXPECT_EQ(chooser.startedIn, QStringLiteral("/")) << "by default: the drives";
  chooser.SetSelectFolder(sfManual);
  chooser.SetSelectFolderName(music);
  EXPECT_EQ(chooser.StartFolder(), music);
  for (const QString& name : {plainFile, music + QStringLiteral("/missing"), QString()}) {
    chooser.SetSelectFolderName(name);
    EXPECT_EQ(chooser.StartFolder(), desktop) << name.toStdString();
  }
}

TEST_F(BrowseForFolder, TheRootStartsTheDialogWhenTheSelectionLiesOutside) {
  chooser.SetRootFolder(rfManual);
  chooser.SetRootFolderName(music);
  EXPECT_EQ(chooser.StartFolder(), music) << "/ lies outside";
  chooser.SetSelectFolder(sfManual);
  chooser.SetSelectFolderName(music + QStringLiteral("/Albums"));
  EXPECT_EQ(chooser.StartFolder(), music + QStringLiteral("/Albums"));
  ASSERT_TRUE(QDir().mkpath(music + QStringLiteral("Box")));
  chooser.SetSelectFolderName(music + QStringLiteral("Box"));
  EXPECT_EQ(chooser.StartFolder(), music) << "a name beginning like the root's is still outside";

  // A manual root that is no folder is the desktop, which holds every folder.
  for (const QString& name : {plainFile, temp.path() + QStringLiteral("/missing"), QString()}) {
    chooser.SetRootFolderName(name);
    EXPECT_EQ(chooser.RootLimit(), std::nullopt) << name.toStdString();
    EXPECT_EQ(chooser.StartFolder(), music + QStringLiteral("Box"));
  }
}

TEST_F(BrowseForFolder, TheHandlerAnswersForTheDialogUnlessThePathIsShown) {
  QWidget dialog;
  chooser.SetOnSelectionChanged([&](TSHBrowseForFolderEx& sender, QWidget* wnd, const QString& path,
                                    QString& showText, TOKButtonState& okButtonState) {
    EXPECT_EQ(&sender, &chooser);
    EXPECT_EQ(wnd, &dialog);
    EXPECT_TRUE(showText.isEmpty());
    EXPECT_EQ(okButtonState, obsUnchanged);
    showText = QStringLiteral("in ") + path;
    okButtonState = obsDisable;
  });
  chooser.SetOptions({sboStatusText});
  auto feedback = chooser.SelectionChanged(&dialog, music);
  EXPECT_EQ(feedback.showText, QStringLiteral("in ") + music);
  EXPECT_EQ(feedback.okButtonState, obsDisable);

  chooser.SetOptions({sboStatusTextAndShowPath, sboStatusText});
  feedback = chooser.SelectionChanged(&dialog, music);
  EXPECT_EQ(feedback.showText, music) << "the path, once";
  EXPECT_EQ(feedback.okButtonState, obsDisable);
}

}  // namespace
}  // namespace orvana::ui
