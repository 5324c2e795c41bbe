#include "player/decode_step.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "engine/cpu_features.h"
#include "player/assertion.h"

namespace orvana::player {
namespace {

constexpr std::size_t kPcmAlignment = 8;

}  // namespace

TMPDecodeStep::TMPDecodeStep(const TLinks& links, EndOfStreamNotice onEndOfStream)
    : links_(links), onEndOfStream_(std::move(onEndOfStream)) {}

void TMPDecodeStep::AllocateBuffer() {
  pcm_ = TAlignedBlock(kPcmBufferSize, kPcmAlignment);
  pendingPcm_ = 0;
}

void TMPDecodeStep::FreeBuffer() {
  pcm_ = TAlignedBlock();
  pendingPcm_ = 0;
  pcmBytesPerFrame_ = 0;
  window_ = {};
  ContinueAt(0, 0);
}

void TMPDecodeStep::ContinueAt(std::int64_t frameStart, std::int64_t playFrom) {
  nextFrameStart_ = frameStart;
  playFrom_ = playFrom;
}

bool TMPDecodeStep::InitDecoder(const engine::FrameHeader& header, int length) {
  const int ready = links_.engine.InitDecoder(header, TMPFrameStream::LengthWithoutPadding(length, header), 0, 0,
                                              engine::output_flags::kChannelsAsCoded, engine::kPlayerMaxFrequency);
  if (ready == 0) return false;
  reinitDecoder_ = false;
  links_.frames.ClearSkipCount();
  return true;
}

void TMPDecodeStep::CheckReaderOpen() const {
  if (!links_.reader.Opened()) throw std::runtime_error("TMP3Player.MPMWatchEvent");
}

void TMPDecodeStep::Run() {
  engine::ApplySimdControlOnThisThread();
  std::unique_lock decodeLock(links_.decodeLock);
  if (!WakeSignalled()) return;
  if (pendingPcm_ == 0) {
    CheckReaderOpen();
    if (links_.frames.Exhausted()) {
      FinishStream(decodeLock);
      return;
    }
    if (!DecodeNextFrame()) return;
  }
  const int freePercent = WritePendingPcm();
  decodeLock.unlock();
  ReadAheadWhileFull(freePercent);
  if (freePercent <= kYieldFreePercent) std::this_thread::yield();
}

bool TMPDecodeStep::DecodeNextFrame() {
  TMPStreamReader& reader = links_.reader;
  TMPFrameStream& frames = links_.frames;
  if (frames.PendingLength() == 0) {
    if (!reader.Need(4)) {
      frames.EndDataHere();
      return false;
    }
    engine::FrameHeader header;
    const int length = frames.FrameSize(reader.Data(), header);
    if (length <= 0) {
      frames.SkipGarbageByte();
      return false;
    }
    frames.SetPending(length, header);
  }
  const int length = frames.PendingLength();
  if (reinitDecoder_ && !InitDecoder(frames.PendingHeader(), length)) {
    frames.SkipGarbageByte();
    return false;
  }
  if (!reader.Need(length)) {
    frames.EndDataHere();
    return false;
  }
  MPAssert(pcm_ && pcmBytesPerFrame_ > 0 && pcmBytesPerFrame_ <= kPcmBufferSize);
  const engine::DecodeResult result =
      links_.engine.DecodeFrame(reader.Data(), length, reinterpret_cast<int16_t*>(pcm_.data()));
  reader.Skip(length);
  frames.ClearPending();
  frames.ClearSkipCount();
  // A frame the engine rejects plays as silence.
  if (result.bytesConsumed < 1) std::memset(pcm_.data(), 0, static_cast<std::size_t>(pcmBytesPerFrame_));
  return KeepPlayedPart();
}

bool TMPDecodeStep::KeepPlayedPart() {
  const std::int64_t frameStart = nextFrameStart_;
  nextFrameStart_ += pcmBytesPerFrame_;
  TPlayWindow window = window_;
  window.from = std::max(window.from, playFrom_);
  const TBlockPart part = PartInWindow(frameStart, pcmBytesPerFrame_, window);
  // The encoder's padding is all that is left: the music has ended.
  if (frameStart + pcmBytesPerFrame_ >= window.until) links_.frames.EndDataHere();
  if (part.Empty()) return false;
  pendingPcm_ = static_cast<int>(part.end - part.begin);
  if (part.begin > 0) std::memmove(pcm_.data(), pcm_.data() + part.begin, static_cast<std::size_t>(pendingPcm_));
  return true;
}

int TMPDecodeStep::WritePendingPcm() {
  std::lock_guard outputLock(links_.outputLock);
  MPAssert(pendingPcm_ >= 1);
  TSoundOut& output = links_.output;
  if (output.CanWrite()) {
    const int taken = output.Write(pcm_.data(), pendingPcm_);
    pendingPcm_ -= taken;
    if (pendingPcm_ > 0) std::memmove(pcm_.data(), pcm_.data() + taken, static_cast<std::size_t>(pendingPcm_));
  } else {
    // The output thread signals the event again once a buffer is free.
    links_.wakeEvent.ResetEvent();
    output.SetWaiter(&links_.wakeEvent);
  }
  return output.FreePercent();
}

void TMPDecodeStep::ReadAheadWhileFull(int freePercent) {
  // File access while the output still holds seconds of sound.
  while (freePercent == 0) {
    {
      std::lock_guard decodeLock(links_.decodeLock);
      if (!WakeSignalled()) return;
      CheckReaderOpen();
      if (!links_.reader.ReadAhead()) return;
    }
    std::lock_guard outputLock(links_.outputLock);
    freePercent = links_.output.FreePercent();
  }
}

void TMPDecodeStep::FinishStream(std::unique_lock<TMPSimpleMutex>& decodeLock) {
  {
    std::lock_guard outputLock(links_.outputLock);
    links_.output.SetWaiter(nullptr);
    links_.output.Flush();
  }
  // Waited for without the decode lock: a paused output never plays its last
  // buffers, and Stop, Seek and Close must still get through then. Each of
  // them returns or drops the buffers, which ends this wait.
  decodeLock.unlock();
  links_.output.WaitAllDone();
  decodeLock.lock();
  if (!WakeSignalled()) return;  // stopped meanwhile
  if (!links_.reader.Opened() || !links_.frames.Exhausted()) return;  // a seek moved back into the data
  links_.wakeEvent.ResetEvent();
  if (onEndOfStream_) onEndOfStream_();
}

}  // namespace orvana::player
