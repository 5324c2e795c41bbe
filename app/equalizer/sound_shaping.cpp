#include "app/equalizer/sound_shaping.h"

namespace orvana::app {

TSoundShaping::TSoundShaping(QObject* parent) : QObject(parent) { ChooseByCurve(); }

void TSoundShaping::Load(const TSoundShapingSettings& settings) {
  settings_ = settings;
  settings_.curve = ClampedCurve(settings.curve);
  settings_.replayGain = ClampedReplayGain(settings.replayGain);
  ChooseByCurve();
  emit changed();
  emit presetsChanged();
}

void TSoundShaping::SetEqualizerEnabled(bool enabled) {
  if (enabled == settings_.equalizerEnabled) return;
  settings_.equalizerEnabled = enabled;
  emit changed();
}

void TSoundShaping::SetPreamp(int tenths) {
  TEqualizerCurve curve = settings_.curve;
  curve.preamp = tenths;
  SetCurve(curve);
}

void TSoundShaping::SetBandGain(int band, int tenths) {
  if (band < 0 || band >= kEqualizerBandCount) return;
  TEqualizerCurve curve = settings_.curve;
  curve.bands[std::size_t(band)] = tenths;
  SetCurve(curve);
}

void TSoundShaping::SetReplayGain(const TReplayGainChoice& choice) {
  const TReplayGainChoice clamped = ClampedReplayGain(choice);
  if (clamped == settings_.replayGain) return;
  settings_.replayGain = clamped;
  emit changed();
}

bool TSoundShaping::ChoosePreset(std::string_view name) {
  const TEqualizerPreset* preset = settings_.presets.Find(name);
  if (preset == nullptr) return false;
  const bool newChoice = chosen_ != preset->name;
  chosen_ = preset->name;
  SetCurve(preset->curve);  // keeps the choice: the curve is the preset's
  if (newChoice) emit presetsChanged();
  return true;
}

bool TSoundShaping::SavePreset(std::string_view name) {
  if (!settings_.presets.Save(name, settings_.curve)) return false;
  chosen_ = PresetName(name);
  emit presetsChanged();
  return true;
}

bool TSoundShaping::RenamePreset(std::string_view from, std::string_view to) {
  if (!settings_.presets.Rename(from, to)) return false;
  if (chosen_ == PresetName(from)) chosen_ = PresetName(to);
  emit presetsChanged();
  return true;
}

bool TSoundShaping::DeletePreset(std::string_view name) {
  if (!settings_.presets.Remove(name)) return false;
  if (chosen_ == PresetName(name)) chosen_.clear();
  emit presetsChanged();
  return true;
}

void TSoundShaping::SetCurve(const TEqualizerCurve& curve) {
  const TEqualizerCurve clamped = ClampedCurve(curve);
  if (clamped == settings_.curve) return;
  settings_.curve = clamped;
  const TEqualizerPreset* chosen = settings_.presets.Find(chosen_);
  if (!chosen_.empty() && (chosen == nullptr || chosen->curve != clamped)) {
    chosen_.clear();
    emit presetsChanged();
  }
  emit changed();
}

void TSoundShaping::ChooseByCurve() {
  chosen_.clear();
  for (const auto* list : {&BuiltInPresets(), &settings_.presets.User()}) {
    for (const TEqualizerPreset& preset : *list) {
      if (preset.curve != settings_.curve) continue;
      chosen_ = preset.name;
      return;
    }
  }
}

}  // namespace orvana::app
