// The ALSA back end. A worker thread feeds the queued blocks into the PCM
// (with the stream's volume applied) and hands each block back once the
// device's play position, fed frames minus the device delay, has passed its
// end. Every ALSA call is made with the stream lock held; the worker never
// blocks inside ALSA: while there is sound to feed it wakes each time half
// the buffer has played, refills it and hands back what has been played
// meanwhile; once all is fed it sleeps until the oldest block has been played.
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/alsa_library.h"
#include "platform/queued_wave_stream.h"
#include "platform/sample_volume.h"
#include "platform/tick_count.h"
#include "platform/wave_out_backends.h"

namespace orvana::platform {
namespace {

// Pause, seek and stop drop what the device holds, so a longer buffer delays
// only a volume change; each period costs a wake-up here and in a sound
// server's client thread (with 50 ms periods the two took over twice the CPU).
constexpr unsigned kBufferMicroseconds = 500'000;
constexpr unsigned kPeriodMicroseconds = 250'000;
// Bounds of the worker's sleep while sound is on its way. The play position
// may move in steps (a sound server's timing updates): a block due back by
// the clock may not be seen as played yet, and is then looked at again no
// sooner than this. A device that stops moving is still noticed.
constexpr int64_t kShortestSleepMs = 10;
constexpr int64_t kLongestSleepMs = 500;
// A running device whose position does not move for this long has failed.
constexpr int64_t kStallLimitMs = 5000;

// ALSA prints its own complaints to stderr; ours travel as result codes.
void QuietAlsaErrorHandler(const char*, int, const char*, int, const char*, ...) {}

void SilenceAlsaMessages() {
  static std::once_flag once;
  std::call_once(once, [] { Alsa().snd_lib_error_set_handler(QuietAlsaErrorHandler); });
}

MmResult FromAlsa(int error) { return kAlsaErrorBase + static_cast<MmResult>(error < 0 ? -error : error); }

// Playback devices as "plughw:CARD,DEVICE", cards and devices in ascending order.
std::vector<std::string> ListPlaybackDevices() {
  if (!Alsa().loaded) return {};
  SilenceAlsaMessages();
  std::vector<std::string> names;
  int card = -1;
  while (Alsa().snd_card_next(&card) == 0 && card >= 0) {
    char ctlName[32];
    std::snprintf(ctlName, sizeof ctlName, "hw:%d", card);
    snd_ctl_t* ctl = nullptr;
    if (Alsa().snd_ctl_open(&ctl, ctlName, 0) < 0) continue;
    snd_pcm_info_t* info = nullptr;
    Alsa().snd_pcm_info_malloc(&info);
    int device = -1;
    while (Alsa().snd_ctl_pcm_next_device(ctl, &device) == 0 && device >= 0) {
      Alsa().snd_pcm_info_set_device(info, static_cast<unsigned>(device));
      Alsa().snd_pcm_info_set_subdevice(info, 0);
      Alsa().snd_pcm_info_set_stream(info, SND_PCM_STREAM_PLAYBACK);
      if (Alsa().snd_ctl_pcm_info(ctl, info) < 0) continue;
      char pcmName[48];
      std::snprintf(pcmName, sizeof pcmName, "plughw:%d,%d", card, device);
      names.emplace_back(pcmName);
    }
    Alsa().snd_pcm_info_free(info);
    Alsa().snd_ctl_close(ctl);
  }
  return names;
}

class AlsaWaveStream final : public QueuedWaveStream {
 public:
  AlsaWaveStream(const WaveFormat& format, MessageQueue* notify, snd_pcm_t* pcm, snd_pcm_uframes_t refillFrames)
      : QueuedWaveStream(format, notify),
        pcm_(pcm),
        refillFrames_(refillFrames),
        scratch_(refillFrames * format.blockAlign) {
    StartWorker();
  }

  ~AlsaWaveStream() override {
    StopWorker();
    Alsa().snd_pcm_drop(pcm_);
    Alsa().snd_pcm_close(pcm_);
  }

  MmResult Pause() override {
    std::lock_guard lock(mutex_);
    if (paused_ || failed_) {
      paused_ = true;
      return MMSYSERR_NOERROR;
    }
    // Drop what the device holds and feed it again from the play position on
    // restart: works on every device, whether it can pause or not.
    UpdatePlayed();
    const int result = Alsa().snd_pcm_drop(pcm_);
    fedFrames_ = playedFrames_;
    paused_ = true;
    return result < 0 ? FromAlsa(result) : MMSYSERR_NOERROR;
  }

  MmResult Restart() override {
    int result = 0;
    {
      std::lock_guard lock(mutex_);
      if (!paused_) return MMSYSERR_NOERROR;
      paused_ = false;
      if (!failed_) result = Alsa().snd_pcm_prepare(pcm_);
      lastProgressTick_ = TickCount();
    }
    changed_.notify_all();
    return result < 0 ? FromAlsa(result) : MMSYSERR_NOERROR;
  }

  MmResult Reset() override {
    int result = 0;
    {
      std::lock_guard lock(mutex_);
      if (!failed_) {
        Alsa().snd_pcm_drop(pcm_);
        result = Alsa().snd_pcm_prepare(pcm_);
      }
      ReturnAllBlocks();
      fedFrames_ = playedFrames_ = 0;
      paused_ = false;
    }
    changed_.notify_all();
    return result < 0 ? FromAlsa(result) : MMSYSERR_NOERROR;
  }

  MmResult GetPositionBytes(uint64_t& bytes) override {
    std::lock_guard lock(mutex_);
    if (!paused_ && !failed_) UpdatePlayed();
    bytes = playedFrames_ * format_.blockAlign;
    return MMSYSERR_NOERROR;
  }

 private:
  MmResult CheckWritable() override { return failed_ ? failure_ : MMSYSERR_NOERROR; }

  bool OnBlockQueued() override {
    if (playedFrames_ == fedFrames_) lastProgressTick_ = TickCount();
    // A worker with sound still to feed wakes for the next refill anyway.
    return fedFrames_ >= blocks_.back().startFrame;
  }

  void RunWorker(std::unique_lock<std::mutex>& lock) override {
    while (!closing_) {
      if (!paused_ && !failed_) {
        Feed();
        UpdatePlayed();
        ReturnBlocksPlayedUpTo(playedFrames_);
        CheckStall();
      }
      const bool soundPending = playedFrames_ < queuedEndFrame_;
      if (!paused_ && !failed_ && soundPending)
        changed_.wait_for(lock, std::chrono::milliseconds(SleepMs()));
      else
        changed_.wait(lock);
    }
  }

  // How long the device can be left alone: while there is sound to feed,
  // until it has room for another refill (it was filled up); blocks played
  // meanwhile go back then, at most a refill late, which the player's queue
  // of blocks covers. A device that took less than half a refill may report
  // its room late (a sound server's requests), so it is looked at sooner.
  // Once all is fed, until the oldest block is due back, so that the end is
  // reported on time. Polling more often only costs wake-ups of this thread
  // and the sound server's client thread.
  int64_t SleepMs() const {
    uint64_t frames = blocks_.empty() ? 0 : blocks_.front().endFrame - std::min(playedFrames_, blocks_.front().endFrame);
    if (fedFrames_ < queuedEndFrame_) frames = lastFeedFrames_ >= refillFrames_ / 2 ? refillFrames_ : refillFrames_ / 4;
    const uint64_t rate = format_.samplesPerSec;
    const auto ms = static_cast<int64_t>((frames * 1000 + rate - 1) / rate);
    return std::clamp(ms, kShortestSleepMs, kLongestSleepMs);
  }

  // Writes queued frames while the device has room.
  void Feed() {
    const uint64_t before = fedFrames_;
    FillDevice();
    lastFeedFrames_ = fedFrames_ - std::min(before, fedFrames_);
  }

  void FillDevice() {
    const snd_pcm_uframes_t scratchFrames = scratch_.size() / format_.blockAlign;
    while (fedFrames_ < queuedEndFrame_) {
      const snd_pcm_sframes_t room = Alsa().snd_pcm_avail_update(pcm_);
      if (room < 0) {
        if (!Recover(static_cast<int>(room))) return;
        continue;
      }
      if (room == 0) return;
      const QueuedBlock* block = BlockAt(fedFrames_);
      if (block == nullptr) return;
      const uint64_t frames = std::min<uint64_t>({static_cast<uint64_t>(room), block->endFrame - fedFrames_, scratchFrames});
      const uint8_t* source = block->header->data + (fedFrames_ - block->startFrame) * format_.blockAlign;
      ApplyVolume(source, scratch_.data(), frames * format_.blockAlign, format_, Volume());
      const snd_pcm_sframes_t written = Alsa().snd_pcm_writei(pcm_, scratch_.data(), frames);
      if (written == -EAGAIN) return;
      if (written < 0) {
        if (!Recover(static_cast<int>(written))) return;
        continue;
      }
      fedFrames_ += static_cast<uint64_t>(written);
    }
  }

  const QueuedBlock* BlockAt(uint64_t frame) const {
    for (const QueuedBlock& block : blocks_)
      if (frame >= block.startFrame && frame < block.endFrame) return &block;
    return nullptr;
  }

  // The play position: what was fed minus what still waits in the device.
  void UpdatePlayed() {
    const uint64_t before = playedFrames_;
    const snd_pcm_state_t state = Alsa().snd_pcm_state(pcm_);
    if (state == SND_PCM_STATE_XRUN) {
      playedFrames_ = fedFrames_;  // ran dry: everything fed has been heard
      Alsa().snd_pcm_prepare(pcm_);
    } else if (state == SND_PCM_STATE_RUNNING || state == SND_PCM_STATE_DRAINING) {
      snd_pcm_sframes_t delay = 0;
      if (Alsa().snd_pcm_delay(pcm_, &delay) == 0) {
        const uint64_t waiting = std::min<uint64_t>(delay < 0 ? 0 : static_cast<uint64_t>(delay), fedFrames_);
        playedFrames_ = std::max(playedFrames_, fedFrames_ - waiting);
      }
    } else if (state == SND_PCM_STATE_SUSPENDED) {
      Recover(-ESTRPIPE);
    }
    if (playedFrames_ != before) lastProgressTick_ = TickCount();
  }

  // Picks the device up after an underrun or suspend; false when it is lost.
  bool Recover(int error) {
    if (error == -EPIPE) playedFrames_ = fedFrames_;
    const int result = Alsa().snd_pcm_recover(pcm_, error, 1);
    if (result < 0) {
      Fail(result);
      return false;
    }
    return true;
  }

  void CheckStall() {
    if (playedFrames_ < fedFrames_ && TickCount() - lastProgressTick_ > kStallLimitMs) Fail(-EIO);
  }

  // A lost device must not hold blocks forever: hand them all back and
  // refuse further writes with ALSA's error.
  void Fail(int error) {
    failed_ = true;
    failure_ = FromAlsa(error);
    Alsa().snd_pcm_drop(pcm_);
    ReturnBlocksPlayedUpTo(queuedEndFrame_);
    fedFrames_ = playedFrames_ = queuedEndFrame_;
  }

  snd_pcm_t* const pcm_;
  const snd_pcm_uframes_t refillFrames_;  // fed at a time while there is more
  std::vector<uint8_t> scratch_;  // one refill with the volume applied
  uint64_t fedFrames_ = 0;
  uint64_t lastFeedFrames_ = 0;  // what the worker's last Feed wrote
  uint64_t playedFrames_ = 0;
  bool paused_ = false;
  bool failed_ = false;
  MmResult failure_ = MMSYSERR_NOERROR;
  int64_t lastProgressTick_ = TickCount();
};

int Configure(snd_pcm_t* pcm, const WaveFormat& format, snd_pcm_uframes_t& refillFrames) {
  snd_pcm_uframes_t periodFrames = 0;
  const TAlsaLibrary& alsa = Alsa();
  snd_pcm_hw_params_t* hw = nullptr;
  if (alsa.snd_pcm_hw_params_malloc(&hw) < 0) return -ENOMEM;
  const std::unique_ptr<snd_pcm_hw_params_t, decltype(alsa.snd_pcm_hw_params_free)> hwOwned(
      hw, alsa.snd_pcm_hw_params_free);
  int result = Alsa().snd_pcm_hw_params_any(pcm, hw);
  if (result >= 0) result = Alsa().snd_pcm_hw_params_set_access(pcm, hw, SND_PCM_ACCESS_RW_INTERLEAVED);
  if (result >= 0)
    result = Alsa().snd_pcm_hw_params_set_format(pcm, hw, format.bitsPerSample == 8 ? SND_PCM_FORMAT_U8 : SND_PCM_FORMAT_S16_LE);
  if (result >= 0) result = Alsa().snd_pcm_hw_params_set_channels(pcm, hw, format.channels);
  if (result >= 0) result = Alsa().snd_pcm_hw_params_set_rate_resample(pcm, hw, 1);
  if (result >= 0) result = Alsa().snd_pcm_hw_params_set_rate(pcm, hw, format.samplesPerSec, 0);
  if (result < 0) return result;
  unsigned bufferTime = kBufferMicroseconds;
  unsigned periodTime = kPeriodMicroseconds;
  Alsa().snd_pcm_hw_params_set_buffer_time_near(pcm, hw, &bufferTime, nullptr);
  Alsa().snd_pcm_hw_params_set_period_time_near(pcm, hw, &periodTime, nullptr);
  if ((result = Alsa().snd_pcm_hw_params(pcm, hw)) < 0) return result;
  Alsa().snd_pcm_hw_params_get_period_size(hw, &periodFrames, nullptr);
  snd_pcm_uframes_t bufferFrames = 0;
  Alsa().snd_pcm_hw_params_get_buffer_size(hw, &bufferFrames);

  snd_pcm_sw_params_t* sw = nullptr;
  if (alsa.snd_pcm_sw_params_malloc(&sw) < 0) return -ENOMEM;
  const std::unique_ptr<snd_pcm_sw_params_t, decltype(alsa.snd_pcm_sw_params_free)> swOwned(
      sw, alsa.snd_pcm_sw_params_free);
  result = Alsa().snd_pcm_sw_params_current(pcm, sw);
  // Start with the first frame written, so that a short last block plays too.
  if (result >= 0) result = Alsa().snd_pcm_sw_params_set_start_threshold(pcm, sw, 1);
  if (result >= 0) result = Alsa().snd_pcm_sw_params_set_avail_min(pcm, sw, periodFrames);
  if (result >= 0) result = Alsa().snd_pcm_sw_params(pcm, sw);
  // The worker refills half the buffer at a time, not a period: a sound
  // server may insist on three periods or more, and each wake-up costs.
  refillFrames = bufferFrames >= 2 ? bufferFrames / 2 : periodFrames;
  return result;
}

}  // namespace

int AlsaPlaybackDeviceCount() { return static_cast<int>(ListPlaybackDevices().size()); }

std::string AlsaErrorText(int alsaError) {
  return std::string("ALSA: ") + (Alsa().loaded ? Alsa().snd_strerror(-std::abs(alsaError)) : "libasound cannot be loaded");
}

MmResult OpenAlsaWaveOut(int deviceId, const WaveFormat& format, MessageQueue* notify,
                         std::unique_ptr<WaveOutStream>& stream) {
  if (!Alsa().loaded) return MMSYSERR_NODRIVER;
  SilenceAlsaMessages();
  std::string name = "default";
  if (deviceId != kDefaultWaveDevice) {
    const std::vector<std::string> devices = ListPlaybackDevices();
    if (deviceId < 0 || static_cast<size_t>(deviceId) >= devices.size()) return MMSYSERR_BADDEVICEID;
    name = devices[static_cast<size_t>(deviceId)];
  }
  snd_pcm_t* pcm = nullptr;
  // Non-blocking, so that a busy device fails at once instead of hanging.
  int result = Alsa().snd_pcm_open(&pcm, name.c_str(), SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK);
  if (result < 0) return FromAlsa(result);
  snd_pcm_uframes_t refillFrames = 0;
  if ((result = Configure(pcm, format, refillFrames)) < 0) {
    Alsa().snd_pcm_close(pcm);
    return result == -EINVAL ? WAVERR_BADFORMAT : FromAlsa(result);
  }
  stream = std::make_unique<AlsaWaveStream>(format, notify, pcm, refillFrames == 0 ? 1024 : refillFrames);
  return MMSYSERR_NOERROR;
}

}  // namespace orvana::platform
