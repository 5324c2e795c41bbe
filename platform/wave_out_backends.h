#pragma once
// The back ends behind OpenWaveOut, one file each.
#include <string>

#include "platform/wave_out.h"

namespace orvana::platform {

MmResult OpenNullWaveOut(const WaveFormat& format, MessageQueue* notify, std::unique_ptr<WaveOutStream>& stream);

// deviceId: kDefaultWaveDevice or 0..AlsaPlaybackDeviceCount()-1.
MmResult OpenAlsaWaveOut(int deviceId, const WaveFormat& format, MessageQueue* notify,
                         std::unique_ptr<WaveOutStream>& stream);
int AlsaPlaybackDeviceCount();
std::string AlsaErrorText(int alsaError);

}  // namespace orvana::platform
