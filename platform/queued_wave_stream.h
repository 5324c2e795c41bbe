#pragma once
// What every wave-output back end shares: the queue of written blocks with
// their place in the stream (in frames), header flags, the volume word, the
// buffer-done notices and the worker thread that plays the queue.
//
// A back end derives from this, plays blocks on its worker thread
// (RunWorker) and calls ReturnBlocksPlayedUpTo as its play position moves.
// Its destructor must call StopWorker before its own members go away.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>

#include "platform/wave_out.h"

namespace orvana::platform {

class QueuedWaveStream : public WaveOutStream {
 public:
  MmResult Prepare(WaveHeader& header) override;
  MmResult Unprepare(WaveHeader& header) override;
  MmResult Write(WaveHeader& header) override;
  MmResult SetVolume(uint32_t leftRight) override;
  MmResult GetVolume(uint32_t& leftRight) override;
  MmResult Close() override;
  MmResult Failure() override;
  // Overwrites the blocks' bytes: what the worker has not fed yet plays anew.
  MmResult Rewrite(uint64_t fromByte, const uint8_t* data, uint32_t length) override;

 protected:
  struct QueuedBlock {
    WaveHeader* header;
    uint64_t startFrame;
    uint64_t endFrame;  // whole frames only: a trailing partial frame is not played
  };

  QueuedWaveStream(const WaveFormat& format, MessageQueue* notify);
  ~QueuedWaveStream() override;

  void StartWorker();
  void StopWorker();
  // Runs on the worker thread with mutex_ held (via `lock`) until closing_.
  virtual void RunWorker(std::unique_lock<std::mutex>& lock) = 0;

  // Called from Write under mutex_: a refusal code, or MMSYSERR_NOERROR.
  virtual MmResult CheckWritable() { return MMSYSERR_NOERROR; }
  // Called from Write under mutex_ after the block joined the queue: whether
  // the worker must be woken for it (it may already be due to wake anyway).
  virtual bool OnBlockQueued() { return true; }

  // With mutex_ held: hands back, in order, every block that ends at or
  // before `playedFrames`.
  void ReturnBlocksPlayedUpTo(uint64_t playedFrames);
  // With mutex_ held: hands back every queued block and starts the stream's
  // frame count again at 0.
  void ReturnAllBlocks();
  uint32_t Volume() const { return volume_.load(); }

  const WaveFormat format_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<QueuedBlock> blocks_;  // written and not yet handed back
  uint64_t queuedEndFrame_ = 0;     // where the last written block ends
  bool closing_ = false;

 private:
  void HandBack(WaveHeader& header);

  MessageQueue* const notify_;
  std::atomic<uint32_t> volume_{0xFFFFFFFFu};
  std::thread worker_;
};

}  // namespace orvana::platform
