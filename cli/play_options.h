#pragma once
// The command line of `orvana-cli play`.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "player/replay_gain.h"

namespace orvana::cli {

struct PlayOptions {
  int device = -1;  // the sound server when one answers, ALSA's default otherwise
  std::string waveOut;
  std::int64_t seekMs = 0;
  std::optional<int> volume;
  std::optional<int> balance;
  bool events = false;
  // Play stops after this many seconds (a station plays until interrupted).
  std::optional<int> seconds;
  // Ten band levels and a preamp in dB; none: the equalizer stays off.
  std::optional<std::array<double, 10>> equalizer;
  double preampDb = 0;
  player::TReplayGainMode replayGain = player::rgmOff;
  std::vector<std::string> files;
};

inline constexpr const char* kPlayUsage =
    "play [--device default|pulse|alsa|null|N] [--wave-out FILE.wav] [--seek MS] [--volume N] [--balance N]\n"
    "                  [--equalizer DB,...(10)] [--preamp DB] [--replay-gain off|track|album] [--events]\n"
    "                  [--seconds N] FILE|URL...";

// The options, or nothing with the reason in `error`.
std::optional<PlayOptions> ParsePlayOptions(int argc, char** argv, std::string& error);

}  // namespace orvana::cli
