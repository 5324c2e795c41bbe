// Sleep mode and the wake-up timer, their ticks driven by hand and their
// clock set by the test: no test waits a minute.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "app/dialogs/wakeup_dialog.h"
#include "app/window/timed_functions.h"
#include "form_fixture.h"

namespace orvana::app::testing {
namespace {

class TimedFunctions : public FormFixture {
 protected:
  // Answers the next dialog with OK after choosing `hour` and `minute`
  // (empty: leave as shown) and, in sleep mode, the exit box.
  void AnswerOk(const QString& hour, const QString& minute, bool exit = false) {
    answerDialog = [=, this](QDialog& dialog) {
      auto& wakeup = dynamic_cast<TdlgWakeup&>(dialog);
      shownHour = wakeup.cmbHour->currentText();
      shownMinute = wakeup.cmbMin->currentText();
      if (!hour.isEmpty()) wakeup.cmbHour->setCurrentText(hour);
      if (!minute.isEmpty()) wakeup.cmbMin->setCurrentText(minute);
      wakeup.chkExit->setChecked(exit);
      return int(QDialog::Accepted);
    };
  }
  TForm1& CreatePlaying() {
    Write(SettingsPath(), settings + "First=0\r\n");
    TForm1& window = Create();
    window.DropFiles({QUrl::fromLocalFile(QString::fromStdString(Song("a.mp3")))});
    window.Actions()[aiPlay].Execute();
    EXPECT_EQ(window.MP3Player1().Status(), player::msPlaying);
    return window;
  }
  TForm1& CreateIdle() {
    Write(SettingsPath(), settings + "First=0\r\n");
    return Create();
  }
  static void Ticks(TForm1& window, int count) {
    for (int tick = 0; tick < count; ++tick) window.TimedFunctions().SleepTick();
  }
  QString Caption(TActionId id) const { return form->Actions().QtAction(id)->text(); }

  std::string settings = "[ini]\r\n";
  QString shownHour, shownMinute;
};

TEST_F(TimedFunctions, SleepForNoTimeStopsAtTheFirstTickAndDisarms) {
  TForm1& window = CreatePlaying();
  AnswerOk("0", "0");
  window.Actions()[aiSleep].Execute();
  EXPECT_EQ(dialogs, QStringList{QString::fromUtf8("おやすみモード")});
  EXPECT_EQ(shownHour, "0");
  EXPECT_EQ(shownMinute, "30");  // every time from half an hour
  EXPECT_TRUE(window.Actions()[aiSleep].Checked());
  EXPECT_EQ(Caption(aiSleep), QString::fromUtf8("おやすみモード解除"));
  EXPECT_TRUE(window.timSleep().isActive());
  EXPECT_EQ(window.timSleep().interval(), 60000);

  Ticks(window, 1);
  EXPECT_EQ(window.MP3Player1().Status(), player::msStopped);
  EXPECT_FALSE(window.Actions()[aiSleep].Checked());
  EXPECT_EQ(Caption(aiSleep), QString::fromUtf8("おやすみモード"));
  EXPECT_FALSE(window.timSleep().isActive());
}

TEST_F(TimedFunctions, SleepOfAnHourAndAHalfEndsTheProgramAfterNinetyTicks) {
  TForm1& window = CreatePlaying();
  int exits = 0;
  QObject::connect(&window, &TForm1::exitRequested, [&exits] { ++exits; });
  AnswerOk("1", "30", true);
  window.Actions()[aiSleep].Execute();
  Ticks(window, 89);
  EXPECT_EQ(window.MP3Player1().Status(), player::msPlaying);
  EXPECT_EQ(exits, 0);
  Ticks(window, 1);
  EXPECT_EQ(window.MP3Player1().Status(), player::msStopped);
  EXPECT_EQ(exits, 1);
  EXPECT_NE(Read(SettingsPath()).find("\r\nExitWhenSleep=1\r\n"), std::string::npos);
}

TEST_F(TimedFunctions, SleepExpiringWithNothingPlayingOnlyDisarms) {
  TForm1& window = CreateIdle();
  AnswerOk("", "5");
  window.Actions()[aiSleep].Execute();
  Ticks(window, 5);
  EXPECT_EQ(window.MP3Player1().Status(), player::msStopped);
  EXPECT_FALSE(window.Actions()[aiSleep].Checked());
  EXPECT_TRUE(window.isVisible());  // still running
}

TEST_F(TimedFunctions, CancelLeavesSleepDisarmedAndASecondInvocationDisarms) {
  settings = "[ini]\r\nExitWhenSleep=1\r\n";
  TForm1& window = CreateIdle();
  window.Actions()[aiSleep].Execute();  // the fixture answers Cancel
  EXPECT_FALSE(window.Actions()[aiSleep].Checked());
  EXPECT_FALSE(window.timSleep().isActive());
  EXPECT_TRUE(window.State().exitWhenSleep);

  AnswerOk("2", "0", false);
  window.Actions()[aiSleep].Execute();
  EXPECT_TRUE(window.Actions()[aiSleep].Checked());
  EXPECT_FALSE(window.State().exitWhenSleep);
  window.Actions()[aiSleep].Execute();  // armed: disarms without a dialog
  EXPECT_EQ(dialogs.size(), 2);
  EXPECT_FALSE(window.Actions()[aiSleep].Checked());
  EXPECT_FALSE(window.timSleep().isActive());
}

TEST_F(TimedFunctions, WakeupFiresInItsMinuteOnlyAndThenDisarms) {
  settings = "[ini]\r\nWakeupHour=7\r\nWakeupMin=15\r\n";
  TForm1& window = CreateIdle();
  window.DropFiles({QUrl::fromLocalFile(QString::fromStdString(Song("a.mp3")))});
  window.MP3Player1().Stop();
  QTime now(7, 15);
  window.TimedFunctions().SetClock([&now] { return now; });
  AnswerOk("", "");
  window.Actions()[aiWakeup].Execute();
  EXPECT_EQ(dialogs.back(), QString::fromUtf8("おはようタイマー"));
  EXPECT_EQ(shownHour, "7");
  EXPECT_EQ(shownMinute, "15");
  EXPECT_TRUE(window.Actions()[aiWakeup].Checked());
  EXPECT_EQ(Caption(aiWakeup), QString::fromUtf8("おはようタイマーの解除"));
  EXPECT_TRUE(window.Timer1().isActive());

  // Armed at 7:15: the first tick is a minute later, so not today.
  for (now = QTime(7, 16); now != QTime(7, 15); now = now.addSecs(60)) {
    window.TimedFunctions().WakeupTick();
    ASSERT_EQ(window.MP3Player1().Status(), player::msStopped) << now.toString().toStdString();
  }
  window.TimedFunctions().WakeupTick();
  EXPECT_EQ(window.MP3Player1().Status(), player::msPlaying);
  EXPECT_FALSE(window.Actions()[aiWakeup].Checked());
  EXPECT_EQ(Caption(aiWakeup), QString::fromUtf8("おはようタイマー"));
  EXPECT_FALSE(window.Timer1().isActive());
}

TEST_F(TimedFunctions, AStoredMinuteOffTheStepsShowsNoneAndConfirmsAsZero) {
  settings = "[ini]\r\nWakeupHour=6\r\nWakeupMin=7\r\n";
  TForm1& window = CreateIdle();
  AnswerOk("", "");
  window.Actions()[aiWakeup].Execute();
  EXPECT_EQ(shownHour, "6");
  EXPECT_EQ(shownMinute, "");
  EXPECT_EQ(window.State().wakeupHour, 6);
  EXPECT_EQ(window.State().wakeupMin, 0);

  window.Actions()[aiWakeup].Execute();  // disarm
  answerDialog = nullptr;                // Cancel keeps what is stored
  window.Actions()[aiWakeup].Execute();
  EXPECT_FALSE(window.Actions()[aiWakeup].Checked());
  EXPECT_EQ(window.State().wakeupMin, 0);
}

TEST_F(TimedFunctions, WakeupWithAnEmptyListPlaysNothingAndDisarms) {
  TForm1& window = CreateIdle();
  window.TimedFunctions().SetClock([] { return QTime(0, 0); });
  AnswerOk("0", "0");
  window.Actions()[aiWakeup].Execute();
  window.TimedFunctions().WakeupTick();
  EXPECT_EQ(window.MP3Player1().Status(), player::msStopped);
  EXPECT_FALSE(window.Actions()[aiWakeup].Checked());
  EXPECT_TRUE(errors.isEmpty());
}

TEST(WakeupDialog, EachModeHasItsTextsAndSize) {
  orvana::testing::TestApplication();
  TdlgWakeup dialog;
  dialog.SetMode(TWakeupDialogMode::Sleep);
  EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("おやすみモード"));
  EXPECT_EQ(dialog.lblHour->text(), QString::fromUtf8("時間"));
  EXPECT_EQ(dialog.lblMin->text(), QString::fromUtf8("分 後に再生停止します"));
  EXPECT_FALSE(dialog.chkExit->isHidden());
  EXPECT_EQ(dialog.size(), QSize(336, 92));
  EXPECT_EQ(dialog.btnOk->y(), 64);

  dialog.SetMode(TWakeupDialogMode::Wakeup);
  EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("おはようタイマー"));
  EXPECT_EQ(dialog.lblHour->text(), QString::fromUtf8("時"));
  EXPECT_EQ(dialog.lblMin->text(), QString::fromUtf8("分 になったら再生開始します"));
  EXPECT_TRUE(dialog.chkExit->isHidden());
  EXPECT_EQ(dialog.size(), QSize(336, 68));
  EXPECT_EQ(dialog.btnCancel->y(), 40);
  EXPECT_EQ(dialog.cmbHour->count(), 24);
  EXPECT_EQ(dialog.cmbMin->count(), 12);
  EXPECT_EQ(dialog.cmbMin->itemText(11), "55");
  // The labels end inside the dialog, whatever the font.
  EXPECT_LE(dialog.lblMin->geometry().right(), 336);
}

}  // namespace
}  // namespace orvana::app::testing
