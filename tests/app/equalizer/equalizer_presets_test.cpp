// The presets' name rules, and the preset TSoundShaping shows as chosen
// while the curve is that preset's.
#include <gtest/gtest.h>

#include <string>

#include "app/equalizer/sound_shaping.h"

namespace orvana::app {
namespace {

const TEqualizerCurve kSmile = {-20, {40, 20, 0, 0, 0, 0, 0, 0, 20, 40}};
const TEqualizerCurve kBass = {0, {60, 60, 0, 0, 0, 0, 0, 0, 0, 0}};

TEST(EqualizerPresets, NoTwoPresetsEverShareAName) {
  TEqualizerPresets presets;
  EXPECT_FALSE(presets.Save(" \t", kSmile));
  EXPECT_FALSE(presets.Save("ロック", kSmile));
  EXPECT_TRUE(presets.Save(" Mine\r\n", kSmile));  // kept as the settings file keeps it
  EXPECT_TRUE(presets.Save("Mine", kBass));        // replaces
  ASSERT_EQ(presets.User().size(), 1u);
  EXPECT_EQ(presets.User()[0], (TEqualizerPreset{"Mine", kBass}));
  EXPECT_FALSE(presets.Add("Mine", kSmile));
  EXPECT_EQ(presets.Check("Mine "), TPresetName::kUsers);
  EXPECT_EQ(presets.Check("ジャズ"), TPresetName::kBuiltIn);
  EXPECT_EQ(presets.Check("mine"), TPresetName::kFree);

  ASSERT_TRUE(presets.Save("Other", kSmile));
  EXPECT_FALSE(presets.Rename("Mine", "Other"));
  EXPECT_FALSE(presets.Rename("Mine", "ポップ"));
  EXPECT_FALSE(presets.Rename("Mine", ""));
  EXPECT_FALSE(presets.Rename("ポップ", "Mine 2"));  // built-ins stay as they are
  EXPECT_FALSE(presets.Remove("ポップ"));
  EXPECT_TRUE(presets.Rename("Mine", "Mine"));
  EXPECT_TRUE(presets.Rename("Mine", "Yours"));
  EXPECT_EQ(presets.User()[0].name, "Yours");  // in its place
  EXPECT_TRUE(presets.Remove("Yours"));
  EXPECT_FALSE(presets.Remove("Yours"));
  EXPECT_EQ(presets.User(), (std::vector<TEqualizerPreset>{{"Other", kSmile}}));

  while (!presets.Full()) ASSERT_TRUE(presets.Add(std::to_string(presets.User().size()), kBass));
  EXPECT_FALSE(presets.Save("One more", kBass));
  EXPECT_TRUE(presets.Save("Other", kBass));  // replacing needs no room
}

TEST(EqualizerPresets, BuiltInCurvesStayInRangeAndHaveNamesOfTheirOwn) {
  TEqualizerPresets none;
  ASSERT_EQ(BuiltInPresets().size(), 8u);
  EXPECT_EQ(BuiltInPresets()[0], (TEqualizerPreset{"フラット", {}}));
  for (const TEqualizerPreset& preset : BuiltInPresets()) {
    EXPECT_EQ(ClampedCurve(preset.curve), preset.curve) << preset.name;
    EXPECT_EQ(none.Find(preset.name), &preset) << preset.name;
  }
}

TEST(SoundShaping, TheChosenPresetIsTheOneWhoseCurveIsHeard) {
  TSoundShaping shaping;
  int changes = 0;
  QObject::connect(&shaping, &TSoundShaping::changed, [&changes] { ++changes; });
  EXPECT_EQ(shaping.ChosenPreset(), "フラット");
  EXPECT_FALSE(shaping.Settings().equalizerEnabled);

  ASSERT_TRUE(shaping.ChoosePreset("ロック"));
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(shaping.Settings().curve, shaping.Settings().presets.Find("ロック")->curve);
  shaping.SetBandGain(9, 500);
  EXPECT_EQ(shaping.Settings().curve.bands[9], kEqualizerLimitTenths);
  EXPECT_EQ(shaping.ChosenPreset(), "");
  shaping.SetBandGain(kEqualizerBandCount, 2);  // no such band
  EXPECT_EQ(changes, 2);

  ASSERT_TRUE(shaping.SavePreset("Loud"));
  EXPECT_EQ(shaping.ChosenPreset(), "Loud");
  ASSERT_TRUE(shaping.RenamePreset("Loud", "Louder"));
  EXPECT_EQ(shaping.ChosenPreset(), "Louder");
  ASSERT_TRUE(shaping.ChoosePreset("フラット"));
  ASSERT_TRUE(shaping.ChoosePreset("Louder"));
  ASSERT_TRUE(shaping.DeletePreset("Louder"));
  EXPECT_EQ(shaping.ChosenPreset(), "");
  EXPECT_EQ(changes, 4);  // saving, renaming and deleting change nothing heard

  // Loading finds a preset of the user's by its curve.
  TSoundShapingSettings settings;
  settings.curve = {999, {}};
  settings.presets.Add("Quiet", {120, {}});
  shaping.Load(settings);
  EXPECT_EQ(shaping.ChosenPreset(), "Quiet");
}

}  // namespace
}  // namespace orvana::app
