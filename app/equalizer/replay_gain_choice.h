#pragma once
// How the user wants each song's ReplayGain applied: the mode, a preamp for
// songs that carry a gain, the gain for songs without one, and whether a
// song's peak may limit its gain.
#include <algorithm>

namespace orvana::app {

enum TReplayGainChoiceMode : int { rgcOff = 0, rgcTrack = 1, rgcAlbum = 2 };
inline constexpr int kReplayGainLimitTenths = 150;  // ±15 dB

struct TReplayGainChoice {
  int mode = rgcOff;
  int preamp = 0;       // tenths of a dB
  int defaultGain = 0;  // tenths of a dB
  bool preventClipping = true;

  bool operator==(const TReplayGainChoice&) const = default;
};

// Gains held within ±kReplayGainLimitTenths; an unknown mode is off.
inline TReplayGainChoice ClampedReplayGain(TReplayGainChoice choice) {
  if (choice.mode < rgcOff || choice.mode > rgcAlbum) choice.mode = rgcOff;
  choice.preamp = std::clamp(choice.preamp, -kReplayGainLimitTenths, kReplayGainLimitTenths);
  choice.defaultGain = std::clamp(choice.defaultGain, -kReplayGainLimitTenths, kReplayGainLimitTenths);
  return choice;
}

}  // namespace orvana::app
