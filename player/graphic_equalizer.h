#pragma once
// The ten-band graphic equalizer users see (31 Hz to 16 kHz, in dB), on
// the player's frequency-mode bands.
#include <array>

#include "player/mp3_player.h"

namespace orvana::player {

inline constexpr int kGraphicBands = 10;
inline constexpr int kGraphicLowHz = 31;
inline constexpr int kGraphicHighHz = 16000;
inline constexpr double kGraphicMostDb = 12.0;

// dB in the player's level unit (hundredths of a decade: 5 a dB), to nearest.
int LevelFromDb(double db);

// Frequency mode, ten bands from 31 Hz to 16 kHz (the levels untouched).
void UseGraphicBands(TMP3Player& player);
// The bands, the preamp (both in dB) and the switch.
void SetGraphicEqualizer(TMP3Player& player, bool enabled, double preampDb,
                         const std::array<double, kGraphicBands>& bandsDb);

}  // namespace orvana::player
