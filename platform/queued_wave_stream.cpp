#include "platform/queued_wave_stream.h"

#include <cstring>

#include "platform/queued_block_parts.h"

namespace orvana::platform {

QueuedWaveStream::QueuedWaveStream(const WaveFormat& format, MessageQueue* notify)
    : format_(format), notify_(notify) {}

QueuedWaveStream::~QueuedWaveStream() { StopWorker(); }

void QueuedWaveStream::StartWorker() {
  worker_ = std::thread([this] {
    std::unique_lock lock(mutex_);
    RunWorker(lock);
  });
}

void QueuedWaveStream::StopWorker() {
  {
    std::lock_guard lock(mutex_);
    closing_ = true;
  }
  changed_.notify_all();
  if (worker_.joinable()) worker_.join();
}

MmResult QueuedWaveStream::Prepare(WaveHeader& header) {
  if (header.data == nullptr && header.bufferLength > 0) return MMSYSERR_INVALPARAM;
  header.flags.fetch_or(WHDR_PREPARED);
  return MMSYSERR_NOERROR;
}

MmResult QueuedWaveStream::Unprepare(WaveHeader& header) {
  if (header.flags.load() & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
  header.flags.fetch_and(~WHDR_PREPARED);
  return MMSYSERR_NOERROR;
}

MmResult QueuedWaveStream::Write(WaveHeader& header) {
  const uint32_t flags = header.flags.load();
  if (!(flags & WHDR_PREPARED)) return WAVERR_UNPREPARED;
  if (flags & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
  bool wake = false;
  {
    std::lock_guard lock(mutex_);
    if (const MmResult refusal = CheckWritable(); refusal != MMSYSERR_NOERROR) return refusal;
    header.flags.store((flags & ~WHDR_DONE) | WHDR_INQUEUE);
    const uint64_t frames = header.bufferLength / format_.blockAlign;
    blocks_.push_back({&header, queuedEndFrame_, queuedEndFrame_ + frames});
    queuedEndFrame_ += frames;
    wake = OnBlockQueued();
  }
  if (wake) changed_.notify_all();
  return MMSYSERR_NOERROR;
}

MmResult QueuedWaveStream::Failure() {
  std::lock_guard lock(mutex_);
  return CheckWritable();
}

MmResult QueuedWaveStream::SetVolume(uint32_t leftRight) {
  volume_.store(leftRight);
  return MMSYSERR_NOERROR;
}

MmResult QueuedWaveStream::GetVolume(uint32_t& leftRight) {
  leftRight = volume_.load();
  return MMSYSERR_NOERROR;
}

MmResult QueuedWaveStream::Close() {
  {
    std::lock_guard lock(mutex_);
    if (!blocks_.empty()) return WAVERR_STILLPLAYING;
  }
  StopWorker();
  return MMSYSERR_NOERROR;
}

MmResult QueuedWaveStream::Rewrite(uint64_t fromByte, const uint8_t* data, uint32_t length) {
  std::lock_guard lock(mutex_);
  const uint32_t frameBytes = format_.blockAlign;
  const auto framesOf = [&](const QueuedBlock& block) {
    return BlockFrames{block.header->data, static_cast<int64_t>(block.startFrame), static_cast<int64_t>(block.endFrame)};
  };
  ForEachQueuedPart(blocks_, framesOf, static_cast<int64_t>(fromByte / frameBytes), length / frameBytes, frameBytes,
                    [&](uint8_t* bytes, int64_t offset, int64_t frames) {
                      std::memcpy(bytes, data + offset * frameBytes, static_cast<size_t>(frames) * frameBytes);
                    });
  return MMSYSERR_NOERROR;
}

void QueuedWaveStream::ReturnBlocksPlayedUpTo(uint64_t playedFrames) {
  while (!blocks_.empty() && blocks_.front().endFrame <= playedFrames) {
    WaveHeader& header = *blocks_.front().header;
    blocks_.pop_front();
    HandBack(header);
  }
}

void QueuedWaveStream::ReturnAllBlocks() {
  ReturnBlocksPlayedUpTo(queuedEndFrame_);  // every block ends at or before it
  queuedEndFrame_ = 0;
}

void QueuedWaveStream::HandBack(WaveHeader& header) {
  header.flags.store((header.flags.load() & ~WHDR_INQUEUE) | WHDR_DONE);
  if (notify_ != nullptr)
    notify_->Post(MM_WOM_DONE, reinterpret_cast<uintptr_t>(this), reinterpret_cast<intptr_t>(&header));
}

}  // namespace orvana::platform
