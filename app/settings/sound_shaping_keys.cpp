#include "app/settings/sound_shaping_keys.h"

#include <optional>
#include <set>
#include <utility>
#include <string>
#include <string_view>

#include "app/files/path_text.h"
#include "app/settings/program_settings.h"

namespace orvana::app {
namespace {

constexpr const char* kPresetCountKey = "Equalizer.Presets";
constexpr std::string_view kPresetKeyPrefix = "Equalizer.Preset";
constexpr int kPresetGainCount = 1 + kEqualizerBandCount;

std::string BandKey(int band) { return "Equalizer.Band" + std::to_string(band); }
std::string PresetKey(std::size_t preset, const char* field) {
  return std::string(kPresetKeyPrefix) + std::to_string(preset) + "." + field;
}

std::string GainsText(const TEqualizerCurve& curve) {
  std::string text = std::to_string(curve.preamp);
  for (const int band : curve.bands) {
    text += ',';
    text += std::to_string(band);
  }
  return text;
}

// Exactly kPresetGainCount numbers, the preamp first.
std::optional<TEqualizerCurve> ParseGains(std::string_view text) {
  TEqualizerCurve curve;
  for (int field = 0; field < kPresetGainCount; ++field) {
    const std::size_t comma = text.find(',');
    const std::optional<std::int32_t> gain = ParseIniInteger(text.substr(0, comma));
    if (!gain) return std::nullopt;
    (field == 0 ? curve.preamp : curve.bands[std::size_t(field - 1)]) = ClampEqualizerGain(*gain);
    const bool last = field == kPresetGainCount - 1;
    if ((comma == std::string_view::npos) != last) return std::nullopt;
    if (!last) text.remove_prefix(comma + 1);
  }
  return curve;
}

TEqualizerPresets ReadPresets(const TIniGT& ini) {
  TEqualizerPresets presets;
  const int count = ini.ReadInteger(kSettingsSection, kPresetCountKey, 0);
  for (std::size_t i = 0; i < TEqualizerPresets::kMaxUserPresets && int(i) < count; ++i) {
    const std::string gains = ini.ReadString(kSettingsSection, PresetKey(i, "Gains"), "");
    if (const std::optional<TEqualizerCurve> curve = ParseGains(gains)) presets.Add(ini.ReadString(kSettingsSection, PresetKey(i, "Name"), ""), *curve);
  }
  return presets;
}

void WritePresets(TIniGT& ini, const TEqualizerPresets& presets) {
  const std::vector<TEqualizerPreset>& user = presets.User();
  std::set<std::string> written = {AsciiLower(kPresetCountKey)};
  ini.WriteInteger(kSettingsSection, kPresetCountKey, int(user.size()));
  for (std::size_t i = 0; i < user.size(); ++i) {
    for (const auto& [field, value] : {std::pair{"Name", user[i].name}, std::pair{"Gains", GainsText(user[i].curve)}}) {
      ini.WriteString(kSettingsSection, PresetKey(i, field), value);
      written.insert(AsciiLower(PresetKey(i, field)));
    }
  }
  // Keys of presets deleted since, or of no preset at all.
  const std::string prefix = AsciiLower(kPresetKeyPrefix);
  for (const std::string& key : ini.Store().Keys(kSettingsSection)) {
    const std::string folded = AsciiLower(key);
    if (folded.starts_with(prefix) && !written.contains(folded)) ini.EraseKey(kSettingsSection, key);
  }
}

}  // namespace

TSoundShapingSettings ReadSoundShaping(const TIniGT& ini) {
  const char* section = kSettingsSection;
  TSoundShapingSettings s;
  s.equalizerEnabled = ini.ReadBool(section, "Equalizer.Enabled", s.equalizerEnabled);
  s.curve.preamp = ini.ReadInteger(section, "Equalizer.Preamp", s.curve.preamp);
  for (int band = 0; band < kEqualizerBandCount; ++band) {
    int& gain = s.curve.bands[std::size_t(band)];
    gain = ini.ReadInteger(section, BandKey(band), gain);
  }
  s.curve = ClampedCurve(s.curve);
  s.presets = ReadPresets(ini);
  TReplayGainChoice& replayGain = s.replayGain;
  replayGain.mode = ini.ReadInteger(section, "ReplayGain.Mode", replayGain.mode);
  replayGain.preamp = ini.ReadInteger(section, "ReplayGain.Preamp", replayGain.preamp);
  replayGain.defaultGain = ini.ReadInteger(section, "ReplayGain.DefaultGain", replayGain.defaultGain);
  replayGain.preventClipping = ini.ReadBool(section, "ReplayGain.PreventClipping", replayGain.preventClipping);
  replayGain = ClampedReplayGain(replayGain);
  return s;
}

void WriteSoundShaping(TIniGT& ini, const TSoundShapingSettings& s) {
  const char* section = kSettingsSection;
  ini.WriteBool(section, "Equalizer.Enabled", s.equalizerEnabled);
  ini.WriteInteger(section, "Equalizer.Preamp", s.curve.preamp);
  for (int band = 0; band < kEqualizerBandCount; ++band)
    ini.WriteInteger(section, BandKey(band), s.curve.bands[std::size_t(band)]);
  WritePresets(ini, s.presets);
  ini.WriteInteger(section, "ReplayGain.Mode", s.replayGain.mode);
  ini.WriteInteger(section, "ReplayGain.Preamp", s.replayGain.preamp);
  ini.WriteInteger(section, "ReplayGain.DefaultGain", s.replayGain.defaultGain);
  ini.WriteBool(section, "ReplayGain.PreventClipping", s.replayGain.preventClipping);
}

}  // namespace orvana::app
