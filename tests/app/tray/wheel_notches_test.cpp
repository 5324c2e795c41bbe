// Wheel reports of StatusNotifierItem hosts as whole notches.
#include "app/tray/wheel_notches.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <vector>

namespace orvana::app {
namespace {

std::vector<int> Notches(TWheelNotches& wheel, const std::vector<int>& deltas) {
  std::vector<int> notches;
  for (const int delta : deltas) notches.push_back(wheel.Add(delta));
  return notches;
}

TEST(WheelNotches, AHostThatCountsNotchesGivesOneEach) {
  TWheelNotches wheel;
  EXPECT_EQ(Notches(wheel, {1, 1, -1, 0, 1}), (std::vector<int>{1, 1, -1, 0, 1}));
}

TEST(WheelNotches, AHostThatCountsIn120thsGivesANotchPer120AndKeepsTheRest) {
  TWheelNotches wheel;
  EXPECT_EQ(Notches(wheel, {120, 240, -120}), (std::vector<int>{1, 2, -1}));
  // A high-resolution wheel: parts of a notch add up, the rest waits.
  EXPECT_EQ(Notches(wheel, {-40, -40, -40, -90, -90}), (std::vector<int>{0, 0, -1, 0, -1}));
  // From now on ±1 is a 120th too.
  std::vector<int> ones(120, 1);
  const std::vector<int> notches = Notches(wheel, ones);
  EXPECT_EQ(std::count(notches.begin(), notches.end(), 1), 1);
  EXPECT_EQ(notches.back(), 1);
}

TEST(WheelNotches, TurningBackDropsThePartGatheredTheOtherWay) {
  TWheelNotches wheel;
  EXPECT_EQ(Notches(wheel, {100, -120, 60, -60, 60, 60}), (std::vector<int>{0, -1, 0, 0, 0, 1}));
}

TEST(WheelNotches, AnyDeltaAHostSendsIsCountedWithoutOverflow) {
  TWheelNotches wheel;
  EXPECT_EQ(wheel.Add(INT_MAX), INT_MAX / 120);
  EXPECT_EQ(wheel.Add(INT_MAX), (INT_MAX % 120 + static_cast<long long>(INT_MAX)) / 120);
  EXPECT_EQ(wheel.Add(INT_MIN), INT_MIN / 120);
}

}  // namespace
}  // namespace orvana::app
