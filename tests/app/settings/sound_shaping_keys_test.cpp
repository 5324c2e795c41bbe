// The equalizer's and ReplayGain's keys: every value round-trips, and a
// hostile file is pulled into range or skipped, key by key, without losing
// the keys beside.
#include "app/settings/sound_shaping_keys.h"

#include <gtest/gtest.h>

#include <functional>

#include "settings_test_files.h"

namespace orvana::app {
namespace {

using testing::ReadBytes;
using testing::TTempFolder;
using testing::WriteBytes;

class SoundShapingKeys : public ::testing::Test {
 protected:
  std::string Path() const { return folder_ / "orvana.ini"; }
  TSoundShapingSettings Read() {
    TIniGT ini;
    ini.SetFileName(Path());
    return ReadSoundShaping(ini);
  }
  void Write(const TSoundShapingSettings& settings) {
    TIniGT ini;
    ini.SetFileName(Path());
    WriteSoundShaping(ini, settings);
    ini.UpdateFile();
  }

  TTempFolder folder_;
};

TEST_F(SoundShapingKeys, EveryValueRoundTripsAndDeletedPresetsLeaveNoKeys) {
  TSoundShapingSettings s;
  s.equalizerEnabled = true;
  s.curve = {-120, {120, -1, 3, 0, 0, 0, 0, 0, -37, 119}};
  ASSERT_TRUE(s.presets.Add("夜, 静かに", {5, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}}));
  ASSERT_TRUE(s.presets.Add("B", {}));
  ASSERT_TRUE(s.presets.Add("C", {-120, {}}));
  s.replayGain = {rgcAlbum, -150, 150, false};
  Write(s);
  EXPECT_EQ(Read(), s);
  EXPECT_NE(ReadBytes(Path()).find("Equalizer.Preset0.Gains=5,1,2,3,4,5,6,7,8,9,10\r\n"), std::string::npos);

  s.presets.Remove("夜, 静かに");
  s.presets.Remove("C");
  Write(s);
  EXPECT_EQ(Read(), s);
  const std::string text = ReadBytes(Path());
  EXPECT_EQ(text.find("Preset1"), std::string::npos) << text;
  EXPECT_NE(text.find("Equalizer.Presets=1\r\nEqualizer.Preset0.Name=B\r\n"), std::string::npos) << text;
}

TEST_F(SoundShapingKeys, HostileValuesAreClampedOrSkippedAndNothingBesideIsLost) {
  // Each file also holds these, which must read back whatever else it holds.
  const std::string kept = "Equalizer.Band5=-14\r\nReplayGain.PreventClipping=0\r\n";
  const auto keptValues = [](TSoundShapingSettings& s) {
    s.curve.bands[5] = -14;
    s.replayGain.preventClipping = false;
  };
  const auto preset = [](int index, const std::string& name, const std::string& gains) {
    const std::string key = "Equalizer.Preset" + std::to_string(index);
    return key + ".Name=" + name + "\r\n" + key + ".Gains=" + gains + "\r\n";
  };
  const std::string zeros = "0,0,0,0,0,0,0,0,0,0,0";
  struct TCase {
    const char* what;
    std::string lines;
    std::function<void(TSoundShapingSettings&)> expect;
  };
  const TCase cases[] = {
      {"gains beyond 12 dB", "Equalizer.Preamp=-121\r\nEqualizer.Band0=2147483647\r\nEqualizer.Band9=121\r\n",
       [](TSoundShapingSettings& s) { s.curve = {-120, {120, 0, 0, 0, 0, -14, 0, 0, 0, 120}}; }},
      {"no numbers",
       "Equalizer.Enabled=yes\r\nEqualizer.Band3=1.5\r\nEqualizer.Band4=99999999999\r\nReplayGain.Mode=track\r\n",
       [](TSoundShapingSettings&) {}},
      {"unknown modes and gains beyond 15 dB",
       "ReplayGain.Mode=3\r\nReplayGain.Preamp=-500\r\nReplayGain.DefaultGain=151\r\n",
       [](TSoundShapingSettings& s) {
         s.replayGain.preamp = -150;
         s.replayGain.defaultGain = 150;
       }},
      {"a negative mode", "ReplayGain.Mode=-1\r\nReplayGain.Preamp=0x10\r\n",
       [](TSoundShapingSettings& s) { s.replayGain.preamp = 16; }},
      {"a count of 10^9", "Equalizer.Presets=1000000000\r\n" + preset(0, "A", zeros) + preset(150, "B", zeros),
       [](TSoundShapingSettings& s) { s.presets.Add("A", {}); }},
      {"a negative count", "Equalizer.Presets=-5\r\n" + preset(0, "A", zeros), [](TSoundShapingSettings&) {}},
      {"presets without a name, with a taken name or with other than 11 gains",
       "Equalizer.Presets=8\r\n" + preset(0, "  ", zeros) + preset(1, "ロック", zeros) + preset(2, "M", "1,2") +
           preset(3, "M", zeros + ",0") + preset(4, "M", "0,,0,0,0,0,0,0,0,0,0") + preset(5, "M", zeros + ",") +
           preset(6, " M ", "-999, 1,0,0,0,0,0,0,0,0,999") + preset(7, "M", zeros),
       [](TSoundShapingSettings& s) { s.presets.Add("M", {-120, {1, 0, 0, 0, 0, 0, 0, 0, 0, 120}}); }},
  };
  for (const TCase& test : cases) {
    WriteBytes(Path(), "[ini]\r\n" + test.lines + kept);
    TSoundShapingSettings expected;
    keptValues(expected);
    test.expect(expected);
    EXPECT_EQ(Read(), expected) << test.what;
  }
}

}  // namespace
}  // namespace orvana::app
