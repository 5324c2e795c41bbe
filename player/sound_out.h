#pragma once
// The sound output: takes PCM bytes from the decode thread into four
// buffers (half a second each, or as long as the device prefers), queues each
// one on the wave device (or a RIFF/WAVE file) the moment it is full, and
// gets them back on its own output thread. While nothing is queued (at the
// start, after a seek) a buffer goes as soon as it holds a moment's sound,
// so that the sound answers at once whatever the buffers' length.
// A returned buffer wakes the registered waiter once; while sound is queued
// and not paused the position callback comes about every position interval.
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/wave_out.h"
#include "player/event.h"
#include "player/loop_thread.h"
#include "player/mutex.h"
#include "player/thread_messages.h"
#include "player/wave_file.h"

namespace orvana::player {

// Posted to the output thread: lParam is the index of a buffer to write to the file.
inline constexpr uint32_t MPM_WRITEFILE = WM_USER + 20;
// Posted to the output thread: a mark set with nothing queued is reached at once.
inline constexpr uint32_t MPM_MARKREACHED = WM_USER + 21;

inline constexpr int kSoundBufferCount = 4;

class TSoundOut final : private TMPMessageTarget {
 public:
  using ExceptionHandler = std::function<void(TSoundOut& sender, const std::exception& error, bool& handled)>;
  using PositionHandler = std::function<void(TSoundOut& sender)>;

  TSoundOut();
  ~TSoundOut();
  TSoundOut(const TSoundOut&) = delete;
  TSoundOut& operator=(const TSoundOut&) = delete;

  // Format; honoured at the next Open. Values out of range are ignored.
  int Frequency() const { return frequency_; }
  void SetFrequency(int frequency);
  int Channels() const { return channels_; }
  void SetChannels(int channels);
  int BitsPerSample() const { return bitsPerSample_; }
  void SetBitsPerSample(int bits);

  // 0..100 and -100..100; applied to the device at once while open on it.
  int Volume() const { return volume_; }
  void SetVolume(int volume);
  int Balance() const { return balance_; }
  void SetBalance(int balance);

  // -1 the default device; platform::kNullWaveDevice plays silently. Honoured at the next Open.
  int DeviceID() const { return deviceId_; }
  void SetDeviceID(int deviceId) { deviceId_ = deviceId; }
  // Empty: play on the device. Ignored while open.
  const std::string& WaveFileName() const { return waveFileName_; }
  void SetWaveFileName(const std::string& name);

  // Milliseconds between position callbacks; -1 for none.
  int PositionInterval() const { return positionInterval_.load(); }
  void SetPositionInterval(int milliseconds);
  // These run on the output thread.
  void SetOnPosition(PositionHandler handler);
  void SetOnException(ExceptionHandler handler);
  void SetOnMark(PositionHandler handler);

  bool IsOpen() const { return open_.load(); }
  void Open();
  // Plays out what is queued (the partly filled buffer too), then closes.
  void Close();

  // Returns how many of `length` bytes were taken; the caller keeps the rest.
  int Write(const void* bytes, int length);
  bool CanWrite();
  int FreePercent();
  // Queues the partly filled buffer and waits until the output thread has
  // handled everything posted to it.
  void Flush();
  // Raises the device's failure when it stopped playing for good: what was
  // queued came back unheard.
  void CheckDevice();
  // Every queued buffer is back.
  bool AllDone() { return allDone_.WaitFor(0) == WAIT_OBJECT_0; }
  // Until every queued buffer is back, or `alsoOn` (when given) is signalled.
  void WaitAllDone(TMPEvent* alsoOn = nullptr);
  // Returns every queued buffer at once (device only).
  void Reset();
  void Pause();
  void Unpause();
  // Replaces sound written but not yet heard, so that a change to it (an
  // equalizer's) is heard at once: the next writes go over the bytes from
  // `fromByte` (since the output opened or was reset) to WrittenBytes, then
  // add as before. False, and nothing changes, where the output cannot
  // take back what it was given (a file, a device that allows no rewrite).
  bool BeginRevision(int64_t fromByte);
  bool Revising() const;
  // Where the next written byte goes: WrittenBytes, or within a revision.
  int64_t WritePosition() const;
  // Bytes played since the previous call.
  int64_t GetDoneBytes();
  // Bytes played since the output opened or was reset, now (the position
  // GetDoneBytes counts from is left as it is).
  int64_t PlayedBytesNow();
  // Bytes written but not yet heard: the sound ahead of the ear.
  int64_t UnheardBytes() { return WritePosition() - PlayedBytesNow(); }
  // Bytes played since the output opened or was reset, as of the last GetDoneBytes.
  int64_t DoneBytesSoFar() const { return static_cast<int64_t>(previousDoneBytes_); }
  // Bytes written since the output opened or was reset.
  int64_t WrittenBytes() const;
  // Queues what has been written and calls OnMark once all of it has been
  // played: where one song ends and the next begins. One mark at a time;
  // Reset and Close drop it.
  void SetMark();
  // `event` is signalled (once) as soon as a buffer is free; null clears it.
  void SetWaiter(TMPEvent* event);

  void SetVolumeToWaveDevice();

  // 0 while closed.
  int BufferSize() const;
  int QueuedBuffers() const { return queued_.load(); }

  // Half a second of sound (or `milliseconds`), rounded up to a multiple of 4 bytes.
  static int BufferSizeFor(int frequency, int channels, int bitsPerSample, int milliseconds = 500);
  // What the desktop's sound mixer shows as playing; kept across opens.
  void SetTitle(const std::string& title);
  // Left volume in the low 16 bits, right in the high 16 bits.
  static uint32_t WaveVolumeFor(int volume, int balance);

 private:
  void Dispatch(TMPMessage& message) override;
  void MMWomDone();
  void MPMWriteFile(intptr_t bufferIndex);
  void MPMTimeout();
  void MarkReached();

  platform::WaveFormat Format() const;
  void OpenDevice();
  void OpenFile();
  void AllocateBuffers(int milliseconds);
  void FreeBuffers();
  void CloseDevice();
  void CloseFile();
  void QueueCurrentBuffer();
  // Writes over the sound being revised; returns the bytes taken.
  int Revise(const uint8_t* bytes, int length);
  void NotifyWaiter();
  void PositionCheck();
  // Sets the output thread's time-out to the position interval while the
  // position moves, and to none otherwise.
  void UpdatePositionTimer();
  bool OnDevice() const { return onDevice_.load(); }

  int frequency_ = 44100;
  int channels_ = 2;
  int bitsPerSample_ = 16;
  std::atomic<bool> open_{false};
  // Volume is applied to each stream's samples and a stream opens at full
  // volume: the device's volume is known without opening the device, which
  // would wake the sound server at every start of the program.
  int volume_ = 100;
  int deviceId_ = platform::kDefaultWaveDevice;
  std::mutex callbackMutex_;
  ExceptionHandler onException_;
  PositionHandler onPosition_;
  PositionHandler onMark_;
  std::atomic<int> positionInterval_{-1};
  std::atomic<int64_t> lastPositionTick_{0};
  std::unique_ptr<platform::WaveOutStream> waveOut_;
  std::atomic<bool> onDevice_{false};
  std::atomic<bool> paused_{false};  // read by the output thread
  std::array<platform::WaveHeader, kSoundBufferCount> headers_;
  std::unique_ptr<WaveFile> waveFile_;
  std::array<std::vector<uint8_t>, kSoundBufferCount> buffers_;
  int current_ = 0;  // the buffer being filled
  int fill_ = 0;     // bytes in it
  int64_t writtenBytes_ = 0;
  // [reviseAt_, reviseEnd_): written sound still to be replaced.
  int64_t reviseAt_ = 0;
  int64_t reviseEnd_ = 0;
  std::atomic<int32_t> queued_{0};
  int bufferSize_ = 0;
  int startBytes_ = 0;  // queued at once while nothing is
  std::string title_;
  int balance_ = 0;
  TMPSimpleMutex waiterLock_;
  TMPEvent* waiter_ = nullptr;
  TMPSimpleEvent allDone_{true, true};  // signalled: nothing is queued
  std::string waveFileName_;
  uint64_t previousDoneBytes_ = 0;
  mutable TMPSimpleMutex bufferLock_;
  // Buffers still to come back before the mark is reached; 0: no mark.
  // Changed together with queued_ under markLock_.
  int markCountdown_ = 0;
  std::mutex markLock_;
  std::mutex timerLock_;
  TMPLoopThread thread_;  // last: stopped before anything it uses goes away
};

}  // namespace orvana::player
