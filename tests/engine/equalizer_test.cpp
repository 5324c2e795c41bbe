#include "engine/equalizer.h"

#include <gtest/gtest.h>

#include <vector>

namespace orvana::engine {
namespace {

TEST(Equalizer, StartsWithUnityGainsAndBothSwitchesOff) {
  const EqualizerState eq;
  EXPECT_EQ(eq.SubbandEqEnabled, 0);
  EXPECT_EQ(eq.LineEqEnabled, 0);
  for (float g : eq.SubbandGain) EXPECT_EQ(g, 1.0f);
  for (float g : eq.LineGain) EXPECT_EQ(g, 1.0f);
}

TEST(Equalizer, LineGainsApplyOnlyWhenSwitchedOn) {
  EqualizerState eq;
  for (int l = 0; l < 576; ++l) eq.LineGain[l] = 0.5f;
  std::vector<float> lines(576, 2.0f);
  ApplyLineGains(eq, lines.data(), 576);
  EXPECT_EQ(lines[0], 2.0f);
  eq.LineEqEnabled = 1;
  ApplyLineGains(eq, lines.data(), 100);
  EXPECT_EQ(lines[99], 1.0f);
  EXPECT_EQ(lines[100], 2.0f);  // above the non-zero count: untouched
}

TEST(Equalizer, LineCountIsClampedToTheGranule) {
  EqualizerState eq;
  eq.LineEqEnabled = 1;
  eq.LineGain[575] = 3.0f;
  std::vector<float> lines(576, 1.0f);
  ApplyLineGains(eq, lines.data(), 10000);
  EXPECT_EQ(lines[575], 3.0f);
  ApplyLineGains(eq, lines.data(), -4);
  EXPECT_EQ(lines[0], 1.0f);
}

TEST(Equalizer, SubbandGainsScaleIntoACopyAtAnyStride) {
  EqualizerState eq;
  for (int sb = 0; sb < 32; ++sb) eq.SubbandGain[sb] = static_cast<float>(sb);
  std::vector<float> matrix(64);
  for (int i = 0; i < 64; ++i) matrix[i] = i % 2 ? -1.0f : 1.0f;  // left +1, right -1
  float out[32];
  ApplySubbandGains(eq, matrix.data() + 1, 2, out);
  for (int sb = 0; sb < 32; ++sb) EXPECT_EQ(out[sb], -static_cast<float>(sb));
  EXPECT_EQ(matrix[1], -1.0f);
}

}  // namespace
}  // namespace orvana::engine
