// The tray icon component over a notification area the test controls.
#include <gtest/gtest.h>

#include <QPixmap>
#include <QWidget>
#include <memory>
#include <vector>

#include "app/tray/task_tray.h"
#include "fake_tray_host.h"
#include "qt_test_application.h"

namespace orvana::app::testing {
namespace {

using orvana::testing::TFakeTrayHost;
using orvana::testing::UseFakeTrayHosts;

QIcon Disc() {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::black);
  return QIcon(pixmap);
}

class TaskTray : public ::testing::Test {
 protected:
  void SetUp() override {
    orvana::testing::TestApplication();
    UseFakeTrayHosts(hosts, {true});
    owner = std::make_unique<QWidget>();
  }
  void TearDown() override { owner.reset(); }

  TTaskTray& Registered(TTaskTray& tray) {
    tray.SetIcon(Disc());
    tray.SetRegistered(true);
    return tray;
  }
  template <typename Call>
  static std::string ErrorOf(Call call) {
    try {
      call();
    } catch (const ETrayError& error) {
      return error.what();
    }
    return "";
  }

  std::vector<TFakeTrayHost*> hosts;
  std::unique_ptr<QWidget> owner;
};

TEST_F(TaskTray, IdentifiersAreUniqueAndPositive) {
  TTaskTray first(owner.get());
  TTaskTray second(owner.get());
  EXPECT_EQ(first.IconID(), 1);
  EXPECT_EQ(second.IconID(), 2);
  EXPECT_EQ(ErrorOf([&] { second.SetIconID(1); }), "同じアイコン識別子が有ります");
  EXPECT_EQ(ErrorOf([&] { second.SetIconID(0); }), "0以下は指定できません");
  EXPECT_EQ(ErrorOf([&] { second.SetIconID(-5); }), "0以下は指定できません");
  EXPECT_EQ(second.IconID(), 2);

  // The first renamed to 3: a third may not take 3 as well.
  first.SetIconID(3);
  TTaskTray third(owner.get());
  EXPECT_EQ(third.IconID(), 4);
}

TEST_F(TaskTray, ARenamedIconMovesInTheTrayAndKeepsItsClicks) {
  TTaskTray& tray = Registered(*new TTaskTray(owner.get()));
  int downs = 0;
  QObject::connect(&tray, &TTaskTray::mouseDown, [&downs] { ++downs; });
  tray.SetIconID(7);
  EXPECT_TRUE(tray.Registered());
  EXPECT_EQ(hosts[0]->icons.count(1), 0u);
  EXPECT_EQ(hosts[0]->icons.count(7), 1u);
  hosts[0]->Send(1, TTrayMessage::kLeftDown);  // the old identifier is nobody's
  hosts[0]->Send(7, TTrayMessage::kLeftDown);
  EXPECT_EQ(downs, 1);
}

TEST_F(TaskTray, RegisteringNeedsAnIconAndDestructionRemovesIt) {
  auto tray = std::make_unique<TTaskTray>(owner.get());
  EXPECT_EQ(ErrorOf([&] { tray->SetRegistered(true); }), "アイコンが指定されていません");
  EXPECT_FALSE(tray->Registered());
  ASSERT_TRUE(hosts.empty());  // nothing went to any tray

  Registered(*tray);
  EXPECT_TRUE(tray->Shown());
  EXPECT_EQ(hosts[0]->icons.count(1), 1u);
  tray->SetIcon(QIcon());  // no picture: out of the tray
  EXPECT_FALSE(tray->Registered());
  EXPECT_TRUE(hosts[0]->icons.empty());

  Registered(*tray);
  tray.reset();
  EXPECT_TRUE(hosts[0]->icons.empty());
}

TEST_F(TaskTray, ATrayThatRefusesTheIconIsAnError) {
  TTaskTray tray(owner.get());
  TTaskTray first(owner.get());
  Registered(first);
  hosts[0]->refuses = true;
  tray.SetIcon(Disc());
  EXPECT_EQ(ErrorOf([&] { tray.SetRegistered(true); }), "タスクトレイに登録できません");
  EXPECT_FALSE(tray.Shown());
}

TEST_F(TaskTray, TheTipIsCutTo63BytesBetweenCharacters) {
  EXPECT_EQ(TrayTipText(QString(70, 'a')), QString(63, 'a'));
  EXPECT_EQ(TrayTipText(QString(63, 'a')), QString(63, 'a'));
  // Three bytes each: 21 fit.
  EXPECT_EQ(TrayTipText(QString(30, QChar(0x3042))), QString(21, QChar(0x3042)));
  EXPECT_EQ(TrayTipText(QString(62, 'a') + QChar(0x3042)), QString(62, 'a'));
  // A character outside the basic plane is four bytes and never split.
  const QString clef = QString::fromUcs4(U"\U0001D11E");
  EXPECT_EQ(TrayTipText(QString(60, 'a') + clef), QString(60, 'a'));
  EXPECT_EQ(TrayTipText(QString(59, 'a') + clef), QString(59, 'a') + clef);

  TTaskTray& tray = Registered(*new TTaskTray(owner.get()));
  tray.SetTipString(QString(40, QChar(0x66F2)));
  EXPECT_EQ(tray.TipString(), QString(40, QChar(0x66F2)));
  EXPECT_EQ(hosts[0]->icons[1].tip, QString(21, QChar(0x66F2)));
}

TEST_F(TaskTray, MessagesBecomeEventsWithTheCursorPosition) {
  TTaskTray& tray = Registered(*new TTaskTray(owner.get()));
  std::vector<std::string> events;
  QObject::connect(&tray, &TTaskTray::mouseDown, [&](Qt::MouseButton b, QPoint at) {
    events.push_back("down " + std::to_string(int(b)) + " " + std::to_string(at.x()) + "," + std::to_string(at.y()));
  });
  QObject::connect(&tray, &TTaskTray::mouseUp,
                   [&](Qt::MouseButton b, QPoint) { events.push_back("up " + std::to_string(int(b))); });
  QObject::connect(&tray, &TTaskTray::dblClick,
                   [&](Qt::MouseButton b) { events.push_back("double " + std::to_string(int(b))); });
  QObject::connect(&tray, &TTaskTray::mouseMove, [&](QPoint at) { events.push_back("move " + std::to_string(at.x())); });
  TFakeTrayHost& host = *hosts[0];
  host.Send(1, TTrayMessage::kMouseMove, {900, 5});
  host.Send(1, TTrayMessage::kLeftDown, {901, 6});
  host.Send(1, TTrayMessage::kLeftUp, {901, 6});
  host.Send(1, TTrayMessage::kLeftDoubleClick, {901, 6});  // a double click is not a down
  host.Send(1, TTrayMessage::kLeftUp, {901, 6});
  host.Send(1, TTrayMessage::kRightDoubleClick, {901, 6});
  host.Send(1, TTrayMessage::kMiddleDown, {3, 4});
  host.Send(1, TTrayMessage::kMiddleUp, {3, 4});
  host.Send(2, TTrayMessage::kLeftDown, {1, 1});  // nobody's icon
  EXPECT_EQ(events, (std::vector<std::string>{"move 900", "down 1 901,6", "up 1", "double 1", "up 1", "double 2",
                                              "down 4 3,4", "up 4"}));
}

TEST_F(TaskTray, AMessageWhileAnotherIsHandledIsDropped) {
  TTaskTray& tray = Registered(*new TTaskTray(owner.get()));
  int downs = 0;
  QObject::connect(&tray, &TTaskTray::mouseDown, [&] {
    ++downs;
    EXPECT_TRUE(TNotifyWindow::NotifyBusy());
    hosts[0]->Send(1, TTrayMessage::kLeftDown);  // as from a nested event loop
  });
  hosts[0]->Send(1, TTrayMessage::kLeftDown);
  EXPECT_EQ(downs, 1);
  EXPECT_FALSE(TNotifyWindow::NotifyBusy());
  hosts[0]->Send(1, TTrayMessage::kLeftDown);
  EXPECT_EQ(downs, 2);  // the next one is handled, its nested one dropped again
}

TEST_F(TaskTray, AnIconWaitsForATrayAndMovesToTheBetterOne) {
  UseFakeTrayHosts(hosts, {false, false});  // StatusNotifierItem, XEmbed: neither yet
  TTaskTray& tray = Registered(*new TTaskTray(owner.get()));
  tray.SetTipString("song");
  std::vector<bool> shown;
  QObject::connect(&tray, &TTaskTray::shownChanged, [&](bool now) { shown.push_back(now); });
  EXPECT_TRUE(tray.Registered());
  EXPECT_FALSE(tray.Shown());

  hosts[1]->SetAvailable(true);  // a plain tray appears
  EXPECT_TRUE(tray.Shown());
  EXPECT_EQ(hosts[1]->icons[1].tip, "song");
  hosts[0]->SetAvailable(true);  // then a StatusNotifierItem host
  EXPECT_TRUE(hosts[1]->icons.empty());
  EXPECT_EQ(hosts[0]->icons[1].tip, "song");
  // Clicks from the protocol no longer in use are not the icon's.
  int downs = 0;
  QObject::connect(&tray, &TTaskTray::mouseDown, [&downs] { ++downs; });
  hosts[1]->Send(1, TTrayMessage::kLeftDown);
  hosts[0]->Send(1, TTrayMessage::kLeftDown);
  EXPECT_EQ(downs, 1);

  hosts[0]->SetAvailable(false);
  hosts[1]->SetAvailable(false);
  EXPECT_FALSE(tray.Shown());
  EXPECT_EQ(shown, (std::vector<bool>{true, false}));
}

}  // namespace
}  // namespace orvana::app::testing
