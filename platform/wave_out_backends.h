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

// A stream on the PulseAudio server of this session (PULSE_SERVER, the
// user's socket, ...), through the process's one connection to it.
MmResult OpenPulseWaveOut(const WaveFormat& format, MessageQueue* notify, std::unique_ptr<WaveOutStream>& stream);
// Whether a failed OpenPulseWaveOut found no server to talk to (none runs,
// or it did not answer in time), rather than one that refused the stream.
bool IsNoPulseServer(MmResult code);
std::string PulseErrorText(int pulseError);

}  // namespace orvana::platform
