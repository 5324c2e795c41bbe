#include "app/tray/xembed_button_translator.h"

#include <gtest/gtest.h>

#include <vector>

namespace orvana::app {
namespace {

using M = TTrayMessage;
constexpr int kLeft = 1;
constexpr int kMiddle = 2;
constexpr int kRight = 3;

// Presses and releases as a user makes them: (button, press time) pairs,
// each released at once, all at `at` unless given.
struct TClick {
  int button;
  std::uint32_t timeMs;
  QPoint at{100, 5};
};

std::vector<M> Clicks(TXEmbedButtonTranslator& translator, const std::vector<TClick>& clicks) {
  std::vector<M> messages;
  for (const TClick& click : clicks) {
    if (auto down = translator.Press(click.button, click.timeMs, click.at)) messages.push_back(*down);
    if (auto up = translator.Release(click.button)) messages.push_back(*up);
  }
  return messages;
}

TEST(XEmbedButtonTranslator, SecondPressWithinTheTimeIsADoubleClickInsteadOfADown) {
  TXEmbedButtonTranslator translator(400, 4);
  EXPECT_EQ(Clicks(translator, {{kLeft, 1000}, {kLeft, 1400}}),
            (std::vector<M>{M::kLeftDown, M::kLeftUp, M::kLeftDoubleClick, M::kLeftUp}));
  EXPECT_EQ(Clicks(translator, {{kRight, 5000}, {kRight, 5001}}),
            (std::vector<M>{M::kRightDown, M::kRightUp, M::kRightDoubleClick, M::kRightUp}));
}

TEST(XEmbedButtonTranslator, TooLateOrTooFarIsAnotherDown) {
  TXEmbedButtonTranslator translator(400, 4);
  EXPECT_EQ(Clicks(translator, {{kLeft, 1000}, {kLeft, 1401}}),
            (std::vector<M>{M::kLeftDown, M::kLeftUp, M::kLeftDown, M::kLeftUp}));
  // The late press starts a new pair of its own.
  EXPECT_EQ(Clicks(translator, {{kLeft, 1500}}), (std::vector<M>{M::kLeftDoubleClick, M::kLeftUp}));
  EXPECT_EQ(Clicks(translator, {{kRight, 3000, {10, 10}}, {kRight, 3100, {15, 10}}, {kRight, 3200, {15, 14}}}),
            (std::vector<M>{M::kRightDown, M::kRightUp, M::kRightDown, M::kRightUp, M::kRightDoubleClick,
                            M::kRightUp}));
}

TEST(XEmbedButtonTranslator, TripleClickIsDownUpDoubleUpDownUp) {
  TXEmbedButtonTranslator translator(500, 4);
  EXPECT_EQ(Clicks(translator, {{kLeft, 10}, {kLeft, 60}, {kLeft, 110}}),
            (std::vector<M>{M::kLeftDown, M::kLeftUp, M::kLeftDoubleClick, M::kLeftUp, M::kLeftDown, M::kLeftUp}));
  // And a fourth is the next double click.
  EXPECT_EQ(Clicks(translator, {{kLeft, 160}}), (std::vector<M>{M::kLeftDoubleClick, M::kLeftUp}));
}

TEST(XEmbedButtonTranslator, MiddleButtonNeverDoubleClicks) {
  TXEmbedButtonTranslator translator(500, 4);
  EXPECT_EQ(Clicks(translator, {{kMiddle, 10}, {kMiddle, 20}, {kMiddle, 30}}),
            (std::vector<M>{M::kMiddleDown, M::kMiddleUp, M::kMiddleDown, M::kMiddleUp, M::kMiddleDown,
                            M::kMiddleUp}));
}

TEST(XEmbedButtonTranslator, AnotherButtonInBetweenBreaksThePair) {
  TXEmbedButtonTranslator translator(500, 4);
  EXPECT_EQ(Clicks(translator, {{kLeft, 10}, {kRight, 20}, {kLeft, 30}, {kMiddle, 40}, {kLeft, 50}}),
            (std::vector<M>{M::kLeftDown, M::kLeftUp, M::kRightDown, M::kRightUp, M::kLeftDown, M::kLeftUp,
                            M::kMiddleDown, M::kMiddleUp, M::kLeftDown, M::kLeftUp}));
}

// The wheel's notches are no clicks: they neither count nor break a pair.
TEST(XEmbedButtonTranslator, WheelAndExtraButtonsGiveNothingAndKeepThePair) {
  TXEmbedButtonTranslator translator(500, 4);
  EXPECT_EQ(Clicks(translator, {{kLeft, 10}, {4, 20}, {5, 30}, {6, 35}, {8, 40}, {0, 45}, {kLeft, 50}}),
            (std::vector<M>{M::kLeftDown, M::kLeftUp, M::kLeftDoubleClick, M::kLeftUp}));
  EXPECT_EQ(WheelNotches(4), 1);
  EXPECT_EQ(WheelNotches(5), -1);
  for (const int other : {0, kLeft, kMiddle, kRight, 6, 7, 8}) EXPECT_EQ(WheelNotches(other), 0) << other;
}

TEST(XEmbedButtonTranslator, ServerClockWrapAround) {
  TXEmbedButtonTranslator translator(400, 4);
  EXPECT_EQ(Clicks(translator, {{kLeft, 0xFFFFFF00u}, {kLeft, 0x40}}),
            (std::vector<M>{M::kLeftDown, M::kLeftUp, M::kLeftDoubleClick, M::kLeftUp}));
  // A clock that went back is no double click.
  EXPECT_EQ(Clicks(translator, {{kLeft, 1000}, {kLeft, 900}}),
            (std::vector<M>{M::kLeftDown, M::kLeftUp, M::kLeftDown, M::kLeftUp}));
}

TEST(XEmbedButtonTranslator, ResetForgetsTheFirstPress) {
  TXEmbedButtonTranslator translator(400, 4);
  ASSERT_EQ(translator.Press(kLeft, 10, {}), M::kLeftDown);
  translator.Reset();
  EXPECT_EQ(translator.Press(kLeft, 20, {}), M::kLeftDown);
  EXPECT_EQ(translator.Press(kLeft, 30, {}), M::kLeftDoubleClick);
}

}  // namespace
}  // namespace orvana::app
