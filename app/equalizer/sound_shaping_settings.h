#pragma once
// How the user shapes the sound, as plain values: the equalizer on or off,
// its curve, the user's presets, and ReplayGain. Off by default, so that
// the player plays what it decodes.
#include "app/equalizer/equalizer_curve.h"
#include "app/equalizer/equalizer_presets.h"
#include "app/equalizer/replay_gain_choice.h"

namespace orvana::app {

struct TSoundShapingSettings {
  bool equalizerEnabled = false;
  TEqualizerCurve curve;
  TEqualizerPresets presets;
  TReplayGainChoice replayGain;

  bool operator==(const TSoundShapingSettings&) const = default;
};

}  // namespace orvana::app
