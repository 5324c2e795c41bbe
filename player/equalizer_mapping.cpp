#include "player/equalizer_mapping.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "player/assertion.h"

namespace orvana::player {
namespace {

constexpr int kLayerIII = 3;

// To nearest, ties to even.
int RoundHalfEven(double value) { return static_cast<int>(std::nearbyint(value)); }

}  // namespace

float EqualizerGainFactor(int32_t level) { return static_cast<float>(std::pow(10.0, level / 100.0)); }

int SubbandCentre(int sampleRate, int subband) {
  MPAssert(sampleRate > 0);
  MPAssert(subband >= 0 && subband < engine::kEqualizerSubbands);
  return RoundHalfEven(sampleRate / 64.0 * (subband + 0.5));
}

int LineCentre(int sampleRate, int line) {
  MPAssert(sampleRate > 0);
  MPAssert(line >= 0 && line < engine::kEqualizerLines);
  return RoundHalfEven(sampleRate / 1152.0 * (line + 0.5));
}

int NearestBand(const int32_t* frequencies, int count, int target) {
  const double wanted = std::max(target, 1);
  double bestRatio = 2147483648.0;
  int best = 0;
  for (int band = 0; band < std::clamp(count, 0, kEqualizerBands); ++band) {
    const double frequency = std::max<int32_t>(frequencies[band], 1);
    double ratio = frequency / wanted;
    if (ratio < 1.0) ratio = 1.0 / ratio;
    if (ratio < bestRatio) {
      bestRatio = ratio;
      best = band;
    }
  }
  return best;
}

bool SetGeometricBands(int32_t* frequencies, int count, int low, int high) {
  if (!(0 < low && low <= high && high <= kEqualizerMaxFrequency)) return false;
  count = std::clamp(count, 1, kEqualizerBands);
  frequencies[0] = low;
  for (int i = 1; i <= count - 2; ++i) {
    const double previous = frequencies[i - 1];
    frequencies[i] = RoundHalfEven(previous * std::pow(high / previous, 1.0 / (count - i)));
    MPAssert(frequencies[i] >= frequencies[i - 1]);
  }
  frequencies[count - 1] = high;
  return true;
}

bool SameShaping(const TEqualizerSettings& a, const TEqualizerSettings& b) {
  if (a.mode != memSubBand || b.mode != memSubBand) return a == b;
  TEqualizerSettings same = b;
  std::copy(std::begin(a.frequencies), std::end(a.frequencies), std::begin(same.frequencies));
  return a == same;
}

void ApplyEqualizerMapping(TEqualizerSettings& settings, int layer, int sampleRate, engine::EqualizerState& engine,
                           float songGain) {
  const bool enabled = settings.enabled;
  // A song's own gain needs the tables even with the equalizer off.
  const int32_t tablesOn = enabled || songGain != 1.0f ? 1 : 0;
  const auto bandGain = [&](int band) {
    return enabled ? EqualizerGainFactor(settings.gains[band] + settings.preamp) * songGain : songGain;
  };
  if (settings.mode == memSubBand) {
    engine.SubbandEqEnabled = tablesOn;
    engine.LineEqEnabled = 0;
    // Remade from the levels even when unused.
    for (int i = 0; i < engine::kEqualizerSubbands; ++i)
      engine.SubbandGain[i] = tablesOn ? bandGain(i) : EqualizerGainFactor(settings.gains[i]);
    if (sampleRate > 0)
      for (int i = 0; i < kEqualizerBands; ++i) settings.frequencies[i] = SubbandCentre(sampleRate, i);
    return;
  }
  const auto gainNearest = [&](int target) {
    return bandGain(NearestBand(settings.frequencies, settings.count, target));
  };
  if (layer == kLayerIII) {
    engine.SubbandEqEnabled = 0;
    engine.LineEqEnabled = tablesOn;
    if (!tablesOn) return;
    for (int l = 0; l < engine::kEqualizerLines; ++l) engine.LineGain[l] = gainNearest(LineCentre(sampleRate, l));
  } else {
    engine.SubbandEqEnabled = tablesOn;
    engine.LineEqEnabled = 0;
    if (!tablesOn) return;
    for (int i = 0; i < engine::kEqualizerSubbands; ++i) engine.SubbandGain[i] = gainNearest(SubbandCentre(sampleRate, i));
  }
}

}  // namespace orvana::player
