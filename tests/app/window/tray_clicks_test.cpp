// Clicks on the tray icon: counting within the click wait, and the
// functions they run in the window.
#include <QTimer>
#include <filesystem>

#include "app/window/click_functions.h"
#include "form_fixture.h"

namespace orvana::app::testing {
namespace {

using orvana::testing::TFakeTrayHost;

class TrayClicks : public FormFixture {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    timClick.setInterval(100);
  }

  void Click(Qt::MouseButton button) {
    clicks.MouseDown(button);
    clicks.MouseUp(button);
  }

  QTimer timClick;
  TTrayClicks::TFunctions functions = {0, 1, 2, 3, 5, 6};
  int beeps = 0;
  std::vector<int> ran;
  TTrayClicks clicks{timClick, functions, [this] { ++beeps; }, [this](int function) { ran.push_back(function); }};
};

TEST_F(TrayClicks, ClicksWithinTheWaitPickTheFunctionAfterBeeps) {
  Click(Qt::LeftButton);
  Click(Qt::LeftButton);
  EXPECT_TRUE(ran.empty());  // nothing before the wait ends
  ASSERT_TRUE(WaitUntil([&] { return !ran.empty(); }, 2000));
  EXPECT_EQ(ran, std::vector<int>{1});
  ASSERT_TRUE(WaitUntil([&] { return beeps == 2; }, 2000));

  ran.clear();
  for (int click = 0; click < 3; ++click) Click(Qt::RightButton);
  ASSERT_TRUE(WaitUntil([&] { return !ran.empty(); }, 2000));
  EXPECT_EQ(ran, std::vector<int>{6});  // right triple
  EXPECT_EQ(clicks.ClickCount(), 0);
}

TEST_F(TrayClicks, FourClicksRunNothingAndDoNotBeep) {
  for (int click = 0; click < 4; ++click) Click(Qt::LeftButton);
  Spin(300);
  EXPECT_TRUE(ran.empty());
  EXPECT_EQ(beeps, 0);
  EXPECT_EQ(clicks.ClickCount(), 0);
  EXPECT_FALSE(timClick.isActive());
}

TEST_F(TrayClicks, TheWaitCountsFromTheFirstRelease) {
  timClick.setInterval(150);
  Click(Qt::LeftButton);
  Spin(100);
  Click(Qt::LeftButton);  // within the wait: a double click...
  Spin(100);              // ...whose wait ends 150 ms after the first
  EXPECT_EQ(ran, std::vector<int>{1});
  Click(Qt::LeftButton);  // a new wait
  ASSERT_TRUE(WaitUntil([&] { return ran.size() == 2; }, 2000));
  EXPECT_EQ(ran, (std::vector<int>{1, 0}));
}

TEST_F(TrayClicks, AReleaseAfterADoubleClickMessageCounts) {
  // The shell reports the second press of a double click as a double click,
  // with no down: the flag from the first press still counts its release.
  Click(Qt::RightButton);
  clicks.MouseUp(Qt::RightButton);
  ASSERT_TRUE(WaitUntil([&] { return !ran.empty(); }, 2000));
  EXPECT_EQ(ran, std::vector<int>{5});
}

TEST_F(TrayClicks, MiddleClicksAndStrayReleasesCountNothing) {
  Click(Qt::MiddleButton);
  clicks.MouseUp(Qt::LeftButton);  // released without a press seen
  clicks.MouseDown(Qt::LeftButton);
  clicks.MouseUp(Qt::RightButton);  // the other button
  EXPECT_EQ(clicks.ClickCount(), 0);
  EXPECT_FALSE(timClick.isActive());
}

// The real window, clicked through its tray icon.
class TrayFunctions : public FormFixture {
 protected:
  TForm1& CreateClickable(const std::vector<std::string>& arguments = {}) {
    TForm1& window = Create(arguments);
    window.timClick().setInterval(30);
    return window;
  }
  void ClickAndWait(Qt::MouseButton button, int times = 1) {
    for (int click = 0; click < times; ++click) trayHosts[0]->Click(1, button);
    ASSERT_TRUE(WaitUntil([&] { return form->Clicks().ClickCount() == 0; }, 2000));
  }
};

TEST_F(TrayFunctions, ARightClickShowsTheHiddenWindow) {
  TForm1& window = CreateClickable();
  window.Actions()[aiHide].Execute();
  EXPECT_FALSE(window.isVisible());
  ClickAndWait(Qt::RightButton);
  EXPECT_TRUE(window.isVisible());
  ClickAndWait(Qt::RightButton);  // already shown: stays
  EXPECT_TRUE(window.isVisible());
}

TEST_F(TrayFunctions, ALeftClickPlaysStopsAndResumes) {
  Write(SettingsPath(), "[ini]\r\nRepeat=1\r\n");
  TForm1& window = CreateClickable();
  window.DropFiles({QUrl::fromLocalFile(QString::fromStdString(Song("a.mp3")))});
  ClickAndWait(Qt::LeftButton);
  EXPECT_EQ(window.MP3Player1().Status(), player::msPlaying);
  window.Actions()[aiPause].Execute();
  ClickAndWait(Qt::LeftButton);
  EXPECT_EQ(window.MP3Player1().Status(), player::msPlaying);
  ClickAndWait(Qt::LeftButton);
  EXPECT_EQ(window.MP3Player1().Status(), player::msStopped);
}

TEST_F(TrayFunctions, ARightTripleClickEndsTheProgramAndSaves) {
  TForm1& window = CreateClickable();
  int exits = 0;
  QObject::connect(&window, &TForm1::exitRequested, [&exits] { ++exits; });
  ClickAndWait(Qt::RightButton, 3);
  EXPECT_EQ(exits, 1);
  EXPECT_TRUE(std::filesystem::exists(SettingsPath()));
}

TEST_F(TrayFunctions, StoredFunctionsAreUsedAndUnknownOnesDoNothing) {
  Write(SettingsPath(), "[ini]\r\nTrayIcon.Left.Single=6\r\nTrayIcon.Left.Double=9\r\n");
  TForm1& window = CreateClickable();
  int exits = 0;
  QObject::connect(&window, &TForm1::exitRequested, [&exits] { ++exits; });
  ClickAndWait(Qt::LeftButton, 2);  // 9 is not a function: read as its default, next song
  EXPECT_EQ(exits, 0);
  ClickAndWait(Qt::LeftButton);
  EXPECT_EQ(exits, 1);
  EXPECT_EQ(QString::fromUtf8(kClickFunctionTexts[cfShowPlaylist]), QString::fromUtf8("プレイリストを表示"));
}

// Without a notification area the window must stay reachable.
class WithoutTray : public FormFixture {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    orvana::testing::UseFakeTrayHosts(trayHosts, {false});
    Write(SettingsPath(), "[ini]\r\nForm.Visible=0\r\n");
  }
};

TEST_F(WithoutTray, TheWindowShowsAndHidingOnlyMinimises) {
  TForm1& window = Create();
  EXPECT_TRUE(window.isVisible());
  window.close();
  EXPECT_TRUE(window.isVisible());
  EXPECT_TRUE(window.isMinimized());
  window.OpenHandedOver({});  // a second start brings it back
  EXPECT_FALSE(window.isMinimized());

  trayHosts[0]->SetAvailable(true);  // a panel with a tray starts
  EXPECT_TRUE(window.TaskTray1().Shown());
  EXPECT_EQ(trayHosts[0]->icons.count(1), 1u);
  window.close();
  EXPECT_FALSE(window.isVisible());
}

TEST_F(WithoutTray, ATrayThatGoesAwayForGoodBringsTheHiddenWindowBack) {
  TForm1& window = Create();
  trayHosts[0]->SetAvailable(true);
  window.Actions()[aiHide].Execute();
  ASSERT_FALSE(window.isVisible());
  trayHosts[0]->SetAvailable(false);  // the panel restarts...
  Spin(200);
  trayHosts[0]->SetAvailable(true);  // ...and is back at once: nothing shows
  Spin(2300);
  EXPECT_FALSE(window.isVisible());
  trayHosts[0]->SetAvailable(false);  // gone for good
  EXPECT_TRUE(WaitUntil([&] { return window.isVisible(); }, 4000));
}

}  // namespace
}  // namespace orvana::app::testing
