#include "player/graphic_equalizer.h"

#include <cmath>

namespace orvana::player {

int LevelFromDb(double db) { return static_cast<int>(std::lround(db * 5.0)); }

void UseGraphicBands(TMP3Player& player) {
  player.SetEqualizerMode(memFreq);
  player.SetEqualizerCount(kGraphicBands);
  player.SetBandRange(kGraphicLowHz, kGraphicHighHz);
}

void SetGraphicEqualizer(TMP3Player& player, bool enabled, double preampDb,
                         const std::array<double, kGraphicBands>& bandsDb) {
  UseGraphicBands(player);
  for (int band = 0; band < kGraphicBands; ++band) player.SetEqualizerGain(band, LevelFromDb(bandsDb[band]));
  player.SetEqualizerPreamp(LevelFromDb(preampDb));
  player.SetEqualizerEnabled(enabled);
}

}  // namespace orvana::player
