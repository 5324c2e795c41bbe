// Prints how soon a change of the equalizer is heard while a song plays on
// a sound server that holds seconds of it (a private PulseAudio, then a
// private PipeWire, each with a null sink recorded from its monitor): a
// steady 1 kHz tone, its band cut by 12 dB at a time and then restored;
// from the song's position at the change to where the recording settles at
// the new level, and the longest silence around it (none expected).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "monitor_recording.h"
#include "player/graphic_equalizer.h"
#include "player/mp3_player.h"
#include "pulse_null_sink.h"
#include "support/pipewire_null_sink.h"
#include "tone_analysis.h"

namespace {

using orvana::player::TMP3Player;
constexpr int kRate = 44100;
constexpr int kBlock = kRate / 100;  // 10 ms
constexpr int kChanges = 6;

bool PumpUntil(TMP3Player& player, const auto& done, int timeoutMs) {
  for (int waited = 0; waited < timeoutMs; waited += 5) {
    player.Messages().DispatchPending();
    if (done()) return true;
    player.Messages().WaitForPosted(5);
  }
  return false;
}

void Measure(const char* name, const std::string& server, const char* monitor) {
  ::setenv("PULSE_SERVER", server.c_str(), 1);
  orvana::testing::TMonitorRecording recording(server, monitor, kRate);
  TMP3Player player;
  player.SetAutoOpen(false);
  player.SetAutoPlay(false);
  player.SetDeviceID(orvana::platform::kPulseWaveDevice);
  orvana::player::UseGraphicBands(player);
  player.SetFileName(std::string(ORVANA_SOURCE_DIR) + "/tests/data/player/tone-1000-10s.mp3");
  player.Open();
  player.Play();
  std::vector<std::int64_t> changes;
  std::array<double, orvana::player::kGraphicBands> bands{};
  for (int i = 0; i < kChanges; ++i) {
    PumpUntil(player, [&] { return player.Position() >= 1000 + 1200 * i; }, 5000);
    bands[5] = i % 2 == 0 ? -12.0 : 0.0;
    changes.push_back(player.Position());
    orvana::player::SetGraphicEqualizer(player, true, 0, bands);
  }
  PumpUntil(player, [&] { return player.Position() >= changes.back() + 1000; }, 5000);
  player.Stop();
  const std::vector<double> left = orvana::testing::LeftChannelOf(recording.Stop());
  const orvana::testing::TStretch sounding = orvana::testing::SoundingPart(left);
  const std::vector<double> levels = orvana::testing::BlockLevels(left, sounding.begin, kBlock);
  std::vector<double> heard;
  std::size_t longestGap = 0;
  for (const std::int64_t change : changes) {
    const std::size_t block = static_cast<std::size_t>(change / 10);
    if (block + 100 >= levels.size()) break;
    const std::size_t settled = orvana::testing::SettledFrom(levels, levels[block + 100], block + 100, 1.0);
    heard.push_back(static_cast<double>(settled) * 10 - static_cast<double>(change));
    const std::size_t at = sounding.begin + block * kBlock;
    for (const auto& gap : orvana::testing::SilencesIn(left, at - kRate / 2, at + kRate / 2, 1))
      longestGap = std::max(longestGap, gap.Length());
  }
  if (heard.empty()) {
    std::printf("%s: nothing recorded\n", name);
    return;
  }
  std::sort(heard.begin(), heard.end());
  std::printf("%s: change heard after %.0f ms (median of %zu; %.0f..%.0f), longest silence around it %.1f ms\n", name,
              heard[heard.size() / 2], heard.size(), heard.front(), heard.back(), longestGap * 1000.0 / kRate);
}

bool Installed(const char* program) {
  return std::system((std::string("command -v ") + program + " > /dev/null 2>&1").c_str()) == 0;
}

}  // namespace

int main() {
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  {
    orvana::player::testing::PulseNullSink pulse;
    if (pulse.Running())
      Measure("PulseAudio", pulse.Server(), orvana::player::testing::PulseNullSink::kMonitorName);
    else
      std::printf("PulseAudio: no private server (%s)\n", pulse.Failure().c_str());
  }
  if (Installed("pipewire") && Installed("wireplumber") && Installed("pipewire-pulse")) {
    orvana::testing::TPipeWireNullSink pipewire;
    if (pipewire.Running())
      Measure("PipeWire", pipewire.Server(), orvana::testing::TPipeWireNullSink::kMonitorName);
    else
      std::printf("PipeWire: cannot run here (%s)\n", pipewire.Failure().c_str());
  }
  return 0;
}
