#pragma once
// The program's one volume, from 0 (silent) to 100 (full), and what a turn
// of the wheel does to it.
#include <string>

namespace orvana::app {

constexpr int kSilentVolume = 0;
constexpr int kFullVolume = 100;
constexpr int kVolumePerNotch = 5;

// `volume` held within 0..100.
int ClampVolume(long long volume);
// `volume` after `notches` of the wheel (up louder), held within 0..100.
int VolumeAfterNotches(int volume, int notches);
// "音量: 80".
std::string VolumeText(int volume);

}  // namespace orvana::app
