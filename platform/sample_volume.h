#pragma once
// Left/right volume applied to PCM samples on their way to the device.
#include <cstddef>
#include <cstdint>

#include "platform/wave_out.h"

namespace orvana::platform {

// Copies `bytes` bytes of whole frames from `in` to `out`, scaling the left
// channel by the low 16 bits of `leftRight` and the right channel by the high
// 16 bits (0xFFFF = unchanged). Mono uses the left value. 8-bit samples are
// unsigned, 16-bit signed little-endian.
void ApplyVolume(const uint8_t* in, uint8_t* out, size_t bytes, const WaveFormat& format, uint32_t leftRight);

}  // namespace orvana::platform
