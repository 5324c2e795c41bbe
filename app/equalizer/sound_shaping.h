#pragma once
// TSoundShaping: the sound shaping settings as the equalizer window changes
// them, announcing each change. Every value is held within its range.
//
// A preset is chosen while the curve is its curve: picking or saving one
// chooses it, moving a band away from it leaves none chosen.
#include <QObject>
#include <string>
#include <string_view>

#include "app/equalizer/sound_shaping_settings.h"

namespace orvana::app {

class TSoundShaping : public QObject {
  Q_OBJECT

 public:
  explicit TSoundShaping(QObject* parent = nullptr);

  const TSoundShapingSettings& Settings() const { return settings_; }
  // Takes every value (held within its range) and announces both changes.
  void Load(const TSoundShapingSettings& settings);

  void SetEqualizerEnabled(bool enabled);
  void SetPreamp(int tenths);
  void SetBandGain(int band, int tenths);
  void SetReplayGain(const TReplayGainChoice& choice);

  // The chosen preset's name; empty for none.
  const std::string& ChosenPreset() const { return chosen_; }
  // Takes the preset's curve; false for an unknown name.
  bool ChoosePreset(std::string_view name);
  // The curve as the user's preset `name` (TEqualizerPresets::Save), chosen.
  bool SavePreset(std::string_view name);
  bool RenamePreset(std::string_view from, std::string_view to);
  bool DeletePreset(std::string_view name);

 signals:
  // What the player does with the sound changed.
  void changed();
  // The presets, or the one chosen, changed.
  void presetsChanged();

 private:
  void SetCurve(const TEqualizerCurve& curve);
  // The first preset whose curve this is, or none.
  void ChooseByCurve();

  TSoundShapingSettings settings_;
  std::string chosen_;
};

}  // namespace orvana::app
