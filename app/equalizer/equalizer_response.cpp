#include "app/equalizer/equalizer_response.h"

#include "app/equalizer/player_sound_shaping.h"
#include "player/equalizer_mapping.h"

namespace orvana::app {
namespace {

constexpr double kDecibelsPerLevel = 0.2;

}  // namespace

TEqualizerResponse::TEqualizerResponse() {
  player::SetGeometricBands(frequencies_, kEqualizerBandCount, kEqualizerLowestHz, kEqualizerHighestHz);
}

int TEqualizerResponse::BandAt(int hz) const { return player::NearestBand(frequencies_, kEqualizerBandCount, hz); }

double TEqualizerResponse::DecibelsAt(const TEqualizerCurve& curve, int hz) const {
  const int level = PlayerLevel(curve.bands[std::size_t(BandAt(hz))]) + PlayerLevel(curve.preamp);
  return level * kDecibelsPerLevel;
}

}  // namespace orvana::app
