#include "player/replay_gain.h"

#include <cmath>

namespace orvana::player {

double ReplayGainFactor(const TReplayGainValues& values, const TReplayGainSettings& settings) {
  if (settings.mode == rgmOff) return 1.0;
  std::optional<double> gain = values.trackGainDb;
  std::optional<double> peak = values.trackPeak;
  if (settings.mode == rgmAlbum && values.albumGainDb) {
    gain = values.albumGainDb;
    peak = values.albumPeak;
  }
  const double db = gain ? *gain + settings.preampDb : settings.defaultGainDb;
  double factor = std::pow(10.0, db / 20.0);
  if (settings.preventClipping && gain && peak && *peak > 0 && factor * *peak > 1.0) factor = 1.0 / *peak;
  return factor;
}

}  // namespace orvana::player
