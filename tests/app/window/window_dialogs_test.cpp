// The window's dialogs through their actions: what OK applies, what Cancel
// leaves, and when a command shows nothing.
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QListWidget>
#include <QSlider>
#include <QTabWidget>

#include "app/dialogs/config_dialog.h"
#include "ui/font_name_combo_box.h"
#include "form_fixture.h"

namespace orvana::app::testing {
namespace {

class WindowDialogs : public FormFixture {
 protected:
  TForm1& CreateQuiet(const std::string& settings = "") {
    Write(SettingsPath(), "[ini]\r\nFirst=0\r\n" + settings);
    return Create();
  }
  // Answers the settings dialog: "終了" for a left double click, the
  // shortest click wait, then `result`.
  void AnswerSettings(int result) {
    answerDialog = [result](QDialog& dialog) {
      auto& config = dynamic_cast<TdlgConfig&>(dialog);
      config.PageControl1->setCurrentIndex(1);
      config.lstClickKind->setCurrentRow(1);
      config.lstFunction->setCurrentRow(6);
      config.trcTrayIcon->setValue(100);
      config.chkSubFolder->setChecked(false);
      return result;
    };
  }
};

TEST_F(WindowDialogs, SettingsOkAppliesInMemoryOnly) {
  TForm1& window = CreateQuiet();
  AnswerSettings(QDialog::Accepted);
  window.Actions()[aiOptions].Execute();
  EXPECT_EQ(dialogs, QStringList{QString::fromUtf8("Orvana - 設定")});
  EXPECT_EQ(window.State().clickFunctions[1], 6);
  EXPECT_EQ(window.timClick().interval(), 100);
  EXPECT_FALSE(window.State().subFolder);
  EXPECT_EQ(Read(SettingsPath()), "[ini]\r\nFirst=0\r\n");  // written at exit only

  // A left double click now ends the program.
  int exits = 0;
  QObject::connect(&window, &TForm1::exitRequested, [&exits] { ++exits; });
  for (int click = 0; click < 2; ++click) trayHosts[0]->Click(1, Qt::LeftButton);
  ASSERT_TRUE(WaitUntil([&] { return exits == 1; }, 2000));
  EXPECT_NE(Read(SettingsPath()).find("\r\nTrayIcon.Left.Double=6\r\n"), std::string::npos);
}

// The stored choice shows in the box; a new one is written at exit for the
// next start, the interface staying as it is.
TEST_F(WindowDialogs, TheLanguageChoiceIsKeptForTheNextStart) {
  TForm1& window = CreateQuiet("Language=ja\r\n");
  int shown = -1;
  answerDialog = [&shown](QDialog& dialog) {
    auto& config = dynamic_cast<TdlgConfig&>(dialog);
    shown = config.cmbLanguage->currentIndex();
    config.cmbLanguage->setCurrentIndex(config.cmbLanguage->findText(QStringLiteral("English")));
    return int(QDialog::Accepted);
  };
  window.Actions()[aiOptions].Execute();
  EXPECT_EQ(shown, 1);  // 自動, 日本語, English
  EXPECT_EQ(window.Actions().QtAction(aiExit)->text(), QString::fromUtf8("Orvana の終了"));
  ASSERT_TRUE(window.FormClose());
  EXPECT_NE(Read(SettingsPath()).find("\r\nLanguage=en\r\n"), std::string::npos);
}

TEST_F(WindowDialogs, SettingsCancelChangesNothing) {
  TForm1& window = CreateQuiet("Font.Name=No Such Face 1234\r\nFont.Size=11\r\n");
  AnswerSettings(QDialog::Rejected);
  window.Actions()[aiOptions].Execute();
  EXPECT_EQ(window.State().clickFunctions[1], 1);
  EXPECT_EQ(window.timClick().interval(), 1000);
  EXPECT_TRUE(window.State().subFolder);

  // The box names the face the list is really drawn with; OK without
  // touching it keeps the stored face that is not installed.
  QString shown;
  answerDialog = [&shown](QDialog& dialog) {
    shown = static_cast<TdlgConfig&>(dialog).FontNameComboBox1->Value();
    return int(QDialog::Accepted);
  };
  window.Actions()[aiOptions].Execute();
  EXPECT_FALSE(shown.isEmpty());
  EXPECT_EQ(shown, QFontInfo(window.Widgets().ListView1->font()).family());
  EXPECT_EQ(window.State().listFont.name, "No Such Face 1234");
  EXPECT_EQ(window.State().listFont.size, 11);
}

TEST_F(WindowDialogs, FileInfoShowsTheSelectedItemOnly) {
  TForm1& window = CreateQuiet();
  window.DropFiles({QUrl::fromLocalFile(QString::fromStdString(Song("a.mp3")))});
  window.Actions()[aiFileInfo].Execute();
  EXPECT_TRUE(dialogs.isEmpty());  // nothing selected

  window.Widgets().ListView1->selectAll();
  window.Actions()[aiFileInfo].Execute();
  EXPECT_EQ(dialogs, QStringList{QString::fromUtf8("Orvana - MP3 タグエディター")});

  std::filesystem::remove(Path("a.mp3"));
  window.Actions()[aiFileInfo].Execute();
  EXPECT_EQ(dialogs.size(), 1);  // the file is gone
}

TEST_F(WindowDialogs, AboutNeedsTheProgramsVersion) {
  TForm1& window = CreateQuiet();
  const QString version = QCoreApplication::applicationVersion();
  QCoreApplication::setApplicationVersion(QString());
  window.Actions()[aiAbout].Execute();
  EXPECT_TRUE(dialogs.isEmpty());
  EXPECT_EQ(errors, QStringList{QString::fromUtf8("バージョン情報が取得できません")});

  QCoreApplication::setApplicationVersion(QStringLiteral("1.2.3"));
  window.Actions()[aiAbout].Execute();
  EXPECT_EQ(dialogs, QStringList{QString::fromUtf8("Orvanaのバージョン情報")});
  QCoreApplication::setApplicationVersion(version);
}

}  // namespace
}  // namespace orvana::app::testing
