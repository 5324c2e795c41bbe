#include "platform/sample_volume.h"

#include <cstring>

namespace orvana::platform {
namespace {

int32_t Scale(int32_t sample, uint32_t volume) { return sample * static_cast<int32_t>(volume) / 0xFFFF; }

}  // namespace

void ApplyVolume(const uint8_t* in, uint8_t* out, size_t bytes, const WaveFormat& format, uint32_t leftRight) {
  const uint32_t left = leftRight & 0xFFFF;
  const uint32_t right = leftRight >> 16;
  const bool stereo = format.channels >= 2;
  if (left == 0xFFFF && (!stereo || right == 0xFFFF)) {
    std::memcpy(out, in, bytes);
    return;
  }
  const size_t bytesPerSample = format.bitsPerSample / 8;
  const size_t samples = bytes / bytesPerSample;
  for (size_t i = 0; i < samples; ++i) {
    // Channels beyond the second follow the right volume.
    const uint32_t volume = (!stereo || i % format.channels == 0) ? left : right;
    if (bytesPerSample == 1) {
      out[i] = static_cast<uint8_t>(Scale(static_cast<int32_t>(in[i]) - 128, volume) + 128);
    } else {
      const int16_t sample = static_cast<int16_t>(in[2 * i] | (in[2 * i + 1] << 8));
      const auto scaled = static_cast<uint16_t>(static_cast<int16_t>(Scale(sample, volume)));
      out[2 * i] = static_cast<uint8_t>(scaled & 0xFF);
      out[2 * i + 1] = static_cast<uint8_t>(scaled >> 8);
    }
  }
}

}  // namespace orvana::platform
