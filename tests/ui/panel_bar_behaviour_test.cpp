#include <gtest/gtest.h>

#include <QPaintEvent>
#include <QPainter>
#include <QVBoxLayout>

#include "panel_bar_support.h"
#include "ui/panel_bar.h"

namespace orvana::ui {
namespace {

using namespace orvana::ui::testing;

// Remembers the region each paint was asked to cover.
class RecordingBar : public TPanelBar {
 public:
  using TPanelBar::TPanelBar;
  QRegion painted;

 protected:
  void paintEvent(QPaintEvent* event) override {
    painted += event->region();
    TPanelBar::paintEvent(event);
  }
};

// A shown window with the bar along its bottom, as the main window has it.
class PanelBarInWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch();
    layout->addWidget(bar);
    window.setMinimumSize(120, 80);
    window.resize(300, 200);
    window.show();
    ProcessEvents();
  }

  QRegion PaintedAfter(const std::function<void()>& change) {
    ProcessEvents();
    bar->painted = QRegion();
    change();
    ProcessEvents();
    return bar->painted;
  }

  QPoint Corner() const { return QPoint(bar->width() - 2, bar->height() - 2); }

  ApplicationFirst application;
  QWidget window;
  RecordingBar* bar = new RecordingBar(&window);
};

TEST_F(PanelBarInWindow, ATextChangeRepaintsTheTextAreaOnly) {
  const int w = bar->width();
  const int h = bar->height();
  EXPECT_EQ(PaintedAfter([&] { bar->SetText(QStringLiteral("12 songs")); }), QRegion(0, 0, w - 13, h));
  bar->SetBevel(pbLowered);
  EXPECT_EQ(PaintedAfter([&] { bar->SetText(QStringLiteral("13 songs")); }),
            QRegion(QRect(QPoint(1, 3), QPoint(w - 13 - 2, h - 2))))
      << "inside the bevel lines, left of the grip";

  bar->SetMargin(0);  // the text may now cover the left bevel line
  EXPECT_EQ(PaintedAfter([&] { bar->SetText(QStringLiteral("a")); }), QRegion(bar->rect()));
  bar->SetMargin(2);
  bar->SetOnDrawPanel([](TPanelBar& panel, QPainter& painter) { painter.fillRect(panel.rect(), Qt::gray); });
  EXPECT_EQ(PaintedAfter([&] { bar->SetText(QStringLiteral("b")); }), QRegion(bar->rect()));
}

TEST_F(PanelBarInWindow, SettersRepaintOnlyOnARealChange) {
  EXPECT_TRUE(PaintedAfter([&] { bar->SetText(QString()); }).isEmpty());
  EXPECT_TRUE(PaintedAfter([&] { bar->SetBevel(pbNone); }).isEmpty());
  EXPECT_EQ(PaintedAfter([&] { bar->SetGripSize(20); }), QRegion(bar->rect()));
  bar->SetFixedGrip(false);
  EXPECT_TRUE(PaintedAfter([&] { bar->SetGripSize(9); }).isEmpty()) << "a free grip ignores GripSize";
  EXPECT_EQ(PaintedAfter([&] { bar->SetFixedGrip(true); }), QRegion(bar->rect()));
}

TEST_F(PanelBarInWindow, TheGripIsTheBottomRightSquareWithItsOwnCursor) {
  const int w = bar->width();
  const int h = bar->height();
  bar->SetGripSize(4);
  EXPECT_TRUE(bar->IsOnGrip(QPoint(w - 4, h - 4)));
  EXPECT_FALSE(bar->IsOnGrip(QPoint(w - 5, h - 1)));
  EXPECT_FALSE(bar->IsOnGrip(QPoint(w - 1, h - 5)));

  SendMouse(*bar, QEvent::MouseMove, Corner(), Qt::NoButton);
  EXPECT_EQ(bar->cursor().shape(), Qt::SizeFDiagCursor);
  SendMouse(*bar, QEvent::MouseMove, QPoint(5, 5), Qt::NoButton);
  EXPECT_FALSE(bar->testAttribute(Qt::WA_SetCursor));

  bar->SetShowGrip(false);
  EXPECT_FALSE(bar->IsOnGrip(QPoint(w - 1, h - 1)));
  SendMouse(*bar, QEvent::MouseMove, Corner(), Qt::NoButton);
  EXPECT_FALSE(bar->testAttribute(Qt::WA_SetCursor));
}

// Without a window manager (here: offscreen) the bar resizes the window itself.
TEST_F(PanelBarInWindow, DraggingTheGripResizesTheWindowUntilTheRelease) {
  bar->SetGripSize(4);  // too small for grip lines, still a grip
  const QSize start = window.size();
  SendMouse(*bar, QEvent::MouseButtonPress, Corner(), Qt::LeftButton);
  SendMouse(*bar, QEvent::MouseMove, Corner() + QPoint(40, 25), Qt::LeftButton);
  EXPECT_EQ(window.size(), start + QSize(40, 25));
  SendMouse(*bar, QEvent::MouseMove, Corner() - QPoint(1000, 1000), Qt::LeftButton);
  EXPECT_EQ(window.size(), window.minimumSize());
  SendMouse(*bar, QEvent::MouseButtonRelease, Corner(), Qt::NoButton);
  SendMouse(*bar, QEvent::MouseMove, Corner() + QPoint(40, 25), Qt::LeftButton);
  EXPECT_EQ(window.size(), window.minimumSize());

  // A release lost elsewhere ends the drag at the next move.
  SendMouse(*bar, QEvent::MouseButtonPress, Corner(), Qt::LeftButton);
  SendMouse(*bar, QEvent::MouseMove, Corner() + QPoint(10, 10), Qt::NoButton);
  EXPECT_EQ(window.size(), window.minimumSize());
}

TEST_F(PanelBarInWindow, PressesOffTheGripOrWithoutOneDoNotResize) {
  const QSize start = window.size();
  for (bool showGrip : {true, false}) {
    bar->SetShowGrip(showGrip);
    const QPoint press = showGrip ? QPoint(bar->width() - 20, 2) : Corner();
    SendMouse(*bar, QEvent::MouseButtonPress, press, Qt::LeftButton);
    SendMouse(*bar, QEvent::MouseMove, press + QPoint(30, 30), Qt::LeftButton);
    SendMouse(*bar, QEvent::MouseButtonRelease, press + QPoint(30, 30), Qt::NoButton);
    EXPECT_EQ(window.size(), start);
  }
}

TEST_F(PanelBarInWindow, ResizedFollowsEverySizeChange) {
  int resized = 0;
  QObject::connect(bar, &TPanelBar::resized, [&] { ++resized; });
  window.resize(window.width() + 30, window.height());
  ProcessEvents();
  EXPECT_EQ(resized, 1);
  window.resize(window.size());
  ProcessEvents();
  EXPECT_EQ(resized, 1);
}

}  // namespace
}  // namespace orvana::ui
