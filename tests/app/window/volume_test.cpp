// The program's one volume: the wheel's steps, and the window's slider,
// player, tray icon and settings file kept as one.
#include <climits>

#include "app/window/volume_level.h"
#include "form_fixture.h"

namespace orvana::app::testing {
namespace {

TEST(VolumeLevel, NotchesStepByFiveAndStopAtTheEnds) {
  EXPECT_EQ(VolumeAfterNotches(50, -3), 35);
  EXPECT_EQ(VolumeAfterNotches(98, 1), 100);
  EXPECT_EQ(VolumeAfterNotches(3, INT_MIN), 0);
  EXPECT_EQ(VolumeAfterNotches(0, INT_MAX), 100);
}

using WindowVolume = FormFixture;

// The player takes a 0 set while it loads its settings for "the device's
// volume": a stored silence must come back silent. Each change is announced
// once, whoever made it; the slider follows without echoing it.
TEST_F(WindowVolume, TheSliderTheTrayWheelAndThePlayerShareOneVolume) {
  Write(SettingsPath(), "[ini]\r\nFirst=0\r\nVolume=0\r\n");
  TForm1& window = Create();
  QSlider& slider = *window.Widgets().trbVolume;
  EXPECT_EQ(window.MP3Player1().Volume(), 0);
  std::vector<int> changes;
  QObject::connect(&window.Volume(), &TVolumeControl::changed, [&changes](int volume) { changes.push_back(volume); });

  slider.setValue(30);  // as a drag does
  EXPECT_EQ(window.MP3Player1().Volume(), 30);
  trayHosts[0]->Wheel(window.TaskTray1().IconID(), 2);
  EXPECT_EQ(slider.value(), 40);
  EXPECT_EQ(slider.toolTip(), QString::fromUtf8("音量: 40"));
  trayHosts[0]->Wheel(window.TaskTray1().IconID(), 100);
  trayHosts[0]->Wheel(window.TaskTray1().IconID(), 1);  // already full: nothing to tell
  EXPECT_EQ(window.MP3Player1().Volume(), 100);
  EXPECT_EQ(changes, (std::vector<int>{30, 40, 100}));

  slider.setValue(85);
  window.Actions()[aiExit].Execute();
  EXPECT_NE(Read(SettingsPath()).find("\r\nVolume=85\r\n"), std::string::npos) << Read(SettingsPath());
}

}  // namespace
}  // namespace orvana::app::testing
