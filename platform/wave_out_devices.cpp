// Choosing a back end by device number, device names, and result texts.
#include <charconv>
#include <string>

#include "platform/wave_out.h"
#include "platform/wave_out_backends.h"

namespace orvana::platform {
namespace {

bool IsPlayableFormat(const WaveFormat& format) {
  return format.formatTag == WAVE_FORMAT_PCM && format.samplesPerSec > 0 && format.channels >= 1 &&
         format.channels <= 8 && (format.bitsPerSample == 8 || format.bitsPerSample == 16) &&
         format.blockAlign == format.channels * format.bitsPerSample / 8;
}

}  // namespace

WaveFormat MakePcmFormat(uint32_t samplesPerSec, uint16_t channels, uint16_t bitsPerSample) {
  WaveFormat format;
  format.channels = channels;
  format.samplesPerSec = samplesPerSec;
  format.bitsPerSample = bitsPerSample;
  format.blockAlign = static_cast<uint16_t>(channels * bitsPerSample / 8);
  format.avgBytesPerSec = samplesPerSec * format.blockAlign;
  return format;
}

MmResult OpenWaveOut(int deviceId, const WaveFormat& format, MessageQueue* notify,
                     std::unique_ptr<WaveOutStream>& stream) {
  stream.reset();
  if (!IsPlayableFormat(format)) return WAVERR_BADFORMAT;
  switch (deviceId) {
    case kNullWaveDevice: return OpenNullWaveOut(format, notify, stream);
    case kPulseWaveDevice: return OpenPulseWaveOut(format, notify, stream);
    case kAlsaDefaultWaveDevice: return OpenAlsaWaveOut(kDefaultWaveDevice, format, notify, stream);
    case kDefaultWaveDevice: {
      // The sound server when one answers; ALSA's default otherwise.
      const MmResult result = OpenPulseWaveOut(format, notify, stream);
      if (!IsNoPulseServer(result)) return result;
      return OpenAlsaWaveOut(kDefaultWaveDevice, format, notify, stream);
    }
    default: return OpenAlsaWaveOut(deviceId, format, notify, stream);
  }
}

int WaveOutDeviceCount() { return AlsaPlaybackDeviceCount(); }

std::optional<int> ParseWaveDeviceName(std::string_view name) {
  if (name == "null") return kNullWaveDevice;
  if (name == "default") return kDefaultWaveDevice;
  if (name == "pulse") return kPulseWaveDevice;
  if (name == "alsa") return kAlsaDefaultWaveDevice;
  int number = 0;
  const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), number);
  if (name.empty() || error != std::errc() || end != name.data() + name.size() || number < 0) return std::nullopt;
  return number;
}

std::optional<std::string> WaveOutErrorText(MmResult code) {
  if (code > kPulseErrorBase) return PulseErrorText(static_cast<int>(code - kPulseErrorBase));
  if (code > kAlsaErrorBase) return AlsaErrorText(static_cast<int>(code - kAlsaErrorBase));
  switch (code) {
    case MMSYSERR_NOERROR: return "The command was successful.";
    case MMSYSERR_ERROR: return "A general error occurred.";
    case MMSYSERR_BADDEVICEID: return "The device number is out of range.";
    case MMSYSERR_ALLOCATED: return "The device is already in use.";
    case MMSYSERR_INVALHANDLE: return "The device handle is not valid.";
    case MMSYSERR_NODRIVER: return "There is no sound driver.";
    case MMSYSERR_NOMEM: return "Not enough memory.";
    case MMSYSERR_NOTSUPPORTED: return "The function is not supported.";
    case MMSYSERR_INVALPARAM: return "A parameter is not valid.";
    case WAVERR_BADFORMAT: return "The sound format is not supported by the device.";
    case WAVERR_STILLPLAYING: return "The buffer is still playing.";
    case WAVERR_UNPREPARED: return "The buffer was not prepared.";
    default: return std::nullopt;
  }
}

}  // namespace orvana::platform
