#include "app/equalizer/player_sound_shaping.h"

namespace orvana::app {
namespace {

double Decibels(int tenths) { return tenths / 10.0; }

}  // namespace

int PlayerLevel(int tenths) { return tenths / 2 + tenths % 2; }

player::TReplayGainSettings PlayerReplayGain(const TReplayGainChoice& choice) {
  const TReplayGainChoice clamped = ClampedReplayGain(choice);
  player::TReplayGainSettings settings;
  settings.mode = static_cast<player::TReplayGainMode>(clamped.mode);
  settings.preampDb = Decibels(clamped.preamp);
  settings.defaultGainDb = Decibels(clamped.defaultGain);
  settings.preventClipping = clamped.preventClipping;
  return settings;
}

void SetUpEqualizerBands(player::TMP3Player& player) { player::UseGraphicBands(player); }

void ApplySoundShaping(const TSoundShapingSettings& settings, player::TMP3Player& player) {
  for (int band = 0; band < kEqualizerBandCount; ++band)
    player.SetEqualizerGain(band, PlayerLevel(settings.curve.bands[std::size_t(band)]));
  player.SetEqualizerPreamp(PlayerLevel(settings.curve.preamp));
  player.SetEqualizerEnabled(settings.equalizerEnabled);
  player.SetReplayGain(PlayerReplayGain(settings.replayGain));
}

}  // namespace orvana::app
