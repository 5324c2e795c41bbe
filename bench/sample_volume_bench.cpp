// How fast the ALSA back end scales samples on their way to the device:
// prints megabytes per second and the share of one core that real-time
// 44.1 kHz stereo playback costs.
#include <chrono>
#include <cstdio>
#include <vector>

#include "platform/sample_volume.h"

int main() {
  using namespace orvana::platform;
  const WaveFormat format = MakePcmFormat(44100, 2, 16);
  std::vector<uint8_t> in(format.avgBytesPerSec), out(in.size());
  for (size_t i = 0; i < in.size(); ++i) in[i] = static_cast<uint8_t>(i * 31);
  for (const uint32_t volume : {0xFFFFFFFFu, 0x8000'C000u}) {
    constexpr int kSeconds = 200;  // of sound
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kSeconds; ++i) ApplyVolume(in.data(), out.data(), in.size(), format, volume);
    const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("volume 0x%08X: %8.1f MB/s, %.4f%% of a core for real-time playback (check %u)\n", volume,
                kSeconds * in.size() / took / 1e6, took / kSeconds * 100, out[in.size() / 3]);
  }
}
