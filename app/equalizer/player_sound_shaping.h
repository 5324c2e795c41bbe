#pragma once
// What the player is told of the user's sound shaping. The player takes
// levels in hundredths of a decade (1 dB is 5 levels) and ReplayGain in dB;
// it coalesces changes, so every change may be applied at once.
#include "app/equalizer/sound_shaping_settings.h"
#include "player/mp3_player.h"
#include "player/replay_gain.h"

namespace orvana::app {

// Tenths of a dB as the player's level (tenths / 2), halves away from zero
// so that the smallest gain set is still heard, the same up and down.
int PlayerLevel(int tenths);

player::TReplayGainSettings PlayerReplayGain(const TReplayGainChoice& choice);

// The ten bands by frequency, once before the settings are applied.
void SetUpEqualizerBands(player::TMP3Player& player);

void ApplySoundShaping(const TSoundShapingSettings& settings, player::TMP3Player& player);

}  // namespace orvana::app
