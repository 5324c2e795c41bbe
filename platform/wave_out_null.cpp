// The null device: plays nothing audible but keeps the real-time behaviour
// of a sound card by the monotonic clock, for machines without sound.
#include <chrono>

#include "platform/queued_wave_stream.h"
#include "platform/wave_out_backends.h"

namespace orvana::platform {
namespace {

using Clock = std::chrono::steady_clock;

class NullWaveStream final : public QueuedWaveStream {
 public:
  NullWaveStream(const WaveFormat& format, MessageQueue* notify) : QueuedWaveStream(format, notify) {
    StartWorker();
  }
  ~NullWaveStream() override { StopWorker(); }

  MmResult Pause() override {
    std::lock_guard lock(mutex_);
    if (!paused_) StopClock();
    paused_ = true;
    return MMSYSERR_NOERROR;
  }

  MmResult Restart() override {
    {
      std::lock_guard lock(mutex_);
      paused_ = false;
      StartClockIfPending();
    }
    changed_.notify_all();
    return MMSYSERR_NOERROR;
  }

  MmResult Reset() override {
    {
      std::lock_guard lock(mutex_);
      ReturnAllBlocks();
      running_ = false;
      paused_ = false;
      anchorFrames_ = 0;
    }
    changed_.notify_all();
    return MMSYSERR_NOERROR;
  }

  MmResult GetPositionBytes(uint64_t& bytes) override {
    std::lock_guard lock(mutex_);
    bytes = PlayedFrames(Clock::now()) * format_.blockAlign;
    return MMSYSERR_NOERROR;
  }

 private:
  bool OnBlockQueued() override {
    StartClockIfPending();
    return true;
  }

  void RunWorker(std::unique_lock<std::mutex>& lock) override {
    while (!closing_) {
      if (!running_) {
        changed_.wait(lock);
        continue;
      }
      const uint64_t played = PlayedFrames(Clock::now());
      ReturnBlocksPlayedUpTo(played);
      if (played >= queuedEndFrame_) {
        StopClock();  // ran dry: the position waits for the next block
        continue;
      }
      changed_.wait_until(lock, TimeOfFrame(blocks_.front().endFrame));
    }
  }

  // The clock runs while blocks are queued and the stream is not paused.
  void StartClockIfPending() {
    if (running_ || paused_ || anchorFrames_ >= queuedEndFrame_) return;
    anchorTime_ = Clock::now();
    running_ = true;
  }

  void StopClock() {
    anchorFrames_ = PlayedFrames(Clock::now());
    running_ = false;
  }

  uint64_t PlayedFrames(Clock::time_point now) const {
    if (!running_) return anchorFrames_;
    const auto elapsed = std::chrono::duration_cast<std::chrono::nanoseconds>(now - anchorTime_).count();
    const uint64_t frames = anchorFrames_ + static_cast<uint64_t>(elapsed) * format_.samplesPerSec / 1'000'000'000u;
    return std::min(frames, queuedEndFrame_);
  }

  Clock::time_point TimeOfFrame(uint64_t frame) const {
    const uint64_t ahead = frame - anchorFrames_;
    const uint64_t rate = format_.samplesPerSec;
    return anchorTime_ + std::chrono::nanoseconds((ahead * 1'000'000'000u + rate - 1) / rate);
  }

  bool running_ = false;
  bool paused_ = false;
  Clock::time_point anchorTime_{};
  uint64_t anchorFrames_ = 0;  // frames played when the clock last started or stopped
};

}  // namespace

MmResult OpenNullWaveOut(const WaveFormat& format, MessageQueue* notify, std::unique_ptr<WaveOutStream>& stream) {
  stream = std::make_unique<NullWaveStream>(format, notify);
  return MMSYSERR_NOERROR;
}

}  // namespace orvana::platform
