// The program's one volume: the wheel's steps, and the window's slider,
// player, tray icon and settings file kept as one.
#include <QApplication>
#include <QKeyEvent>
#include <QWheelEvent>
#include <climits>

#include "app/layout_faults.h"
#include "app/window/japanese_fonts.h"
#include "app/window/volume_level.h"
#include "form_fixture.h"

namespace orvana::app::testing {
namespace {

TEST(VolumeLevel, NotchesStepByFiveAndStopAtTheEnds) {
  EXPECT_EQ(VolumeAfterNotches(50, 1), 55);
  EXPECT_EQ(VolumeAfterNotches(50, -3), 35);
  EXPECT_EQ(VolumeAfterNotches(98, 1), 100);
  EXPECT_EQ(VolumeAfterNotches(3, -1), 0);
  EXPECT_EQ(VolumeAfterNotches(0, INT_MAX), 100);
  EXPECT_EQ(VolumeAfterNotches(100, INT_MIN), 0);
  EXPECT_EQ(VolumeText(80), "音量: 80");
}

class WindowVolume : public FormFixture {
 protected:
  TForm1& CreateAt(int volume) {
    Write(SettingsPath(), "[ini]\r\nFirst=0\r\nVolume=" + std::to_string(volume) + "\r\n");
    TForm1& window = Create();
    QObject::connect(&window.Volume(), &TVolumeControl::changed, [this](int volume) { changes.push_back(volume); });
    return window;
  }
  QSlider& Slider() const { return *form->Widgets().trbVolume; }
  int PlayerVolume() const { return form->MP3Player1().Volume(); }
  void Key(int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(&Slider(), &press);
  }
  void WheelOverTheSlider(int angle) {
    const QPointF centre = QRectF(Slider().rect()).center();
    QWheelEvent wheel(centre, Slider().mapToGlobal(centre), QPoint(), QPoint(0, angle), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&Slider(), &wheel);
  }

  std::vector<int> changes;
};

TEST_F(WindowVolume, TheSliderItsKeysAndItsWheelSetThePlayerAtOnce) {
  CreateAt(100);
  EXPECT_EQ(Slider().value(), 100);
  EXPECT_EQ(Slider().toolTip(), QString::fromUtf8("音量: 100"));
  Slider().setValue(30);  // as a drag does
  EXPECT_EQ(PlayerVolume(), 30);
  EXPECT_EQ(Slider().toolTip(), QString::fromUtf8("音量: 30"));
  Key(Qt::Key_PageDown);
  EXPECT_EQ(PlayerVolume(), 20);
  Key(Qt::Key_Right);
  EXPECT_EQ(PlayerVolume(), 21);
  WheelOverTheSlider(120);
  EXPECT_GT(PlayerVolume(), 21);
  EXPECT_EQ(PlayerVolume(), Slider().value());
  EXPECT_EQ(changes, (std::vector<int>{30, 20, 21, PlayerVolume()}));
}

// The tray's wheel and the media controls: the slider follows, and each
// change is announced once, never echoed back by the slider.
TEST_F(WindowVolume, AVolumeSetElsewhereMovesTheSlider) {
  TForm1& window = CreateAt(50);
  const int icon = window.TaskTray1().IconID();
  trayHosts[0]->Wheel(icon, 2);
  EXPECT_EQ(PlayerVolume(), 60);
  EXPECT_EQ(Slider().value(), 60);
  EXPECT_EQ(Slider().toolTip(), QString::fromUtf8("音量: 60"));
  trayHosts[0]->Wheel(icon, -100);
  trayHosts[0]->Wheel(icon, -1);  // already silent: no change to tell
  EXPECT_EQ(Slider().value(), 0);
  window.Volume().Set(45);
  EXPECT_EQ(Slider().value(), 45);
  EXPECT_EQ(changes, (std::vector<int>{60, 0, 45}));
}

// The player takes a 0 set while it loads its settings for "the device's
// volume": a stored silence must come back silent.
TEST_F(WindowVolume, AStoredSilenceStaysSilentAndTheVolumeIsSavedAtExit) {
  TForm1& window = CreateAt(0);
  EXPECT_EQ(PlayerVolume(), 0);
  EXPECT_EQ(Slider().value(), 0);
  Slider().setValue(85);
  window.Actions()[aiExit].Execute();
  EXPECT_NE(Read(SettingsPath()).find("\r\nVolume=85\r\n"), std::string::npos) << Read(SettingsPath());
}

TEST_F(WindowVolume, TheSliderFitsTheToolBarBesideTheHistory) {
  InstallJapaneseFontSubstitutes();
  TForm1& window = CreateAt(100);
  const TMainWindowWidgets& widgets = window.Widgets();
  for (const int width : {560, 300}) {
    window.resize(width, 320);
    QApplication::processEvents();
    std::vector<std::string> faults;
    CollectFaults(*widgets.Panel2, faults);
    EXPECT_EQ(faults, std::vector<std::string>{}) << width;
    if (!widgets.trbVolume->isVisible()) continue;  // folded into the tool bar's menu
    const QRect slider(widgets.trbVolume->mapTo(widgets.Panel2, QPoint()), widgets.trbVolume->size());
    EXPECT_FALSE(slider.intersects(widgets.ComboBox1->geometry())) << width;
  }
  window.resize(560, 320);
  QApplication::processEvents();
  EXPECT_TRUE(widgets.trbVolume->isVisible());
}

}  // namespace
}  // namespace orvana::app::testing
