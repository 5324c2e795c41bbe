#pragma once
// Wave output: a PCM stream on a sound device that plays queued blocks in
// order and hands each one back, when it has been played, as MM_WOM_DONE on
// a thread's message queue. Back ends (a PulseAudio server, ALSA, a
// clock-paced null device) sit behind this one interface and are chosen by
// device number when opened.
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/message_queue.h"

namespace orvana::platform {

// Result codes, numbered as callers of wave output have always known them.
using MmResult = uint32_t;
inline constexpr MmResult MMSYSERR_NOERROR = 0;
inline constexpr MmResult MMSYSERR_ERROR = 1;
inline constexpr MmResult MMSYSERR_BADDEVICEID = 2;
inline constexpr MmResult MMSYSERR_ALLOCATED = 4;
inline constexpr MmResult MMSYSERR_INVALHANDLE = 5;
inline constexpr MmResult MMSYSERR_NODRIVER = 6;
inline constexpr MmResult MMSYSERR_NOMEM = 7;
inline constexpr MmResult MMSYSERR_NOTSUPPORTED = 8;
inline constexpr MmResult MMSYSERR_INVALPARAM = 11;
inline constexpr MmResult WAVERR_BADFORMAT = 32;
inline constexpr MmResult WAVERR_STILLPLAYING = 33;
inline constexpr MmResult WAVERR_UNPREPARED = 34;
// ALSA failures: this base plus the (positive) error number ALSA returned.
inline constexpr MmResult kAlsaErrorBase = 0x10000;
// PulseAudio failures: this base plus libpulse's error number (PA_ERR_*).
inline constexpr MmResult kPulseErrorBase = 0x20000;

// The text for a result code, or nothing for a code without one.
std::optional<std::string> WaveOutErrorText(MmResult code);

// The buffer-done notice: wParam is the stream, lParam the WaveHeader.
inline constexpr uint32_t MM_WOM_DONE = 0x3BD;

// Device numbers: -1 is the system's default output: the PulseAudio server
// (or PipeWire's) when one answers, ALSA's "default" otherwise;
// 0..DeviceCount()-1 the ALSA playback devices in the order the system lists
// them; kNullWaveDevice the null device that plays silently in real time;
// kPulseWaveDevice the PulseAudio server only, kAlsaDefaultWaveDevice ALSA's
// "default" only.
inline constexpr int kDefaultWaveDevice = -1;
inline constexpr int kNullWaveDevice = -2;
inline constexpr int kPulseWaveDevice = -3;
inline constexpr int kAlsaDefaultWaveDevice = -4;

// "default", "pulse", "alsa", "null" or a device number; nothing for anything else.
std::optional<int> ParseWaveDeviceName(std::string_view name);

inline constexpr uint16_t WAVE_FORMAT_PCM = 1;

struct WaveFormat {
  uint16_t formatTag = WAVE_FORMAT_PCM;
  uint16_t channels = 2;
  uint32_t samplesPerSec = 44100;
  uint32_t avgBytesPerSec = 176400;
  uint16_t blockAlign = 4;
  uint16_t bitsPerSample = 16;
};

// Makes a consistent PCM format (block align and byte rate derived).
WaveFormat MakePcmFormat(uint32_t samplesPerSec, uint16_t channels, uint16_t bitsPerSample);

inline constexpr uint32_t WHDR_DONE = 0x01;
inline constexpr uint32_t WHDR_PREPARED = 0x02;
inline constexpr uint32_t WHDR_INQUEUE = 0x10;

// One block of samples. The caller owns it and its data; from Write until
// MM_WOM_DONE the stream reads it, so only flags may be looked at then.
struct WaveHeader {
  uint8_t* data = nullptr;
  uint32_t bufferLength = 0;
  std::atomic<uint32_t> flags{0};
};

class WaveOutStream {
 public:
  virtual ~WaveOutStream() = default;

  virtual MmResult Prepare(WaveHeader& header) = 0;
  // WAVERR_STILLPLAYING while the block is queued.
  virtual MmResult Unprepare(WaveHeader& header) = 0;
  virtual MmResult Write(WaveHeader& header) = 0;
  virtual MmResult Pause() = 0;
  virtual MmResult Restart() = 0;
  // Returns every queued block at once, un-pauses, and sets the position to 0.
  virtual MmResult Reset() = 0;
  // Bytes played since the stream was opened or last reset.
  virtual MmResult GetPositionBytes(uint64_t& bytes) = 0;
  // Left volume in the low 16 bits, right in the high 16 bits (0xFFFF: full
  // volume); this stream's own, whatever else plays.
  virtual MmResult SetVolume(uint32_t leftRight) = 0;
  virtual MmResult GetVolume(uint32_t& leftRight) = 0;
  // WAVERR_STILLPLAYING while blocks are queued; the stream stays open then.
  virtual MmResult Close() = 0;

  // What is playing (UTF-8), for the desktop's sound mixer; ignored by
  // back ends that show no name.
  virtual void SetTitle(const std::string& title) { (void)title; }
  // Why the stream stopped playing for good (its device or server went
  // away: every block was handed back, played or not); MMSYSERR_NOERROR
  // while it plays on.
  virtual MmResult Failure() { return MMSYSERR_NOERROR; }
  // Replaces the sound of the queued blocks from byte `fromByte` (since open
  // or reset) on with `data`, so that what is still to be heard is heard
  // anew: the blocks' own bytes are overwritten, and what the device holds
  // already is given again where the device allows. Bytes already played
  // are passed over. MMSYSERR_NOTSUPPORTED where the stream cannot.
  virtual MmResult Rewrite(uint64_t fromByte, const uint8_t* data, uint32_t length) {
    (void)fromByte, (void)data, (void)length;
    return MMSYSERR_NOTSUPPORTED;
  }
  // The length of block that suits this stream best, in milliseconds of
  // sound; 0 when the caller's own choice is as good as any.
  virtual uint32_t PreferredBlockMs() const { return 0; }
};

// Opens device `deviceId` for `format`. Buffer-done notices go to `notify`
// (none when null).
MmResult OpenWaveOut(int deviceId, const WaveFormat& format, MessageQueue* notify,
                     std::unique_ptr<WaveOutStream>& stream);

// The number of ALSA playback devices (the default, PulseAudio and null
// devices not counted).
int WaveOutDeviceCount();

}  // namespace orvana::platform
