// Wheel reports of StatusNotifierItem hosts as whole notches.
#include "app/tray/wheel_notches.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace orvana::app {
namespace {

std::vector<int> Notches(TWheelNotches& wheel, const std::vector<int>& deltas) {
  std::vector<int> notches;
  for (const int delta : deltas) notches.push_back(wheel.Add(delta));
  return notches;
}

TEST(WheelNotches, OneANotchUntilTheHostShowsItCountsIn120ths) {
  TWheelNotches wheel;
  EXPECT_EQ(Notches(wheel, {1, -1, 0, 240, -120, 1, 1}), (std::vector<int>{1, -1, 0, 2, -1, 0, 0}));
}

// Parts of a notch add up and the rest waits; turning back drops it.
TEST(WheelNotches, PartsAddUpUntilTheWheelTurnsBack) {
  TWheelNotches wheel;
  EXPECT_EQ(Notches(wheel, {40, 40, 40, 90, -120, -60, -60}), (std::vector<int>{0, 0, 1, 0, -1, 0, -1}));
  EXPECT_EQ(wheel.Add(INT_MAX), INT_MAX / 120);  // whatever a host sends, without overflow
  EXPECT_EQ(wheel.Add(INT_MIN), INT_MIN / 120);
}

}  // namespace
}  // namespace orvana::app
