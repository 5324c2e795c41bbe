#include "player/decode_step.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "engine/cpu_features.h"
#include "player/assertion.h"
#include "player/wave_out_error.h"

namespace orvana::player {
namespace {

constexpr std::size_t kPcmAlignment = 8;
constexpr int kBitsPerSample = 16;
// The longest frame and the header of the one after it.
constexpr int kFrameAtHandBytes = 1441 + 4;
// Sound ahead of the ear that lets the step wait for a batch of frames.
constexpr int kBatchWhenAheadMs = 2000;
constexpr int kAssumedStreamBytesPerSecond = 16000;

}  // namespace

TMPDecodeStep::TMPDecodeStep(const TLinks& links, THooks hooks) : links_(links), hooks_(std::move(hooks)) {}

void TMPDecodeStep::AllocateBuffer() {
  pcm_ = TAlignedBlock(kPcmBufferSize, kPcmAlignment);
  pendingPcm_ = 0;
}

void TMPDecodeStep::FreeBuffer() {
  pcm_ = TAlignedBlock();
  pendingPcm_ = 0;
  track_ = next_ = nullptr;
  trackStartInOutput_ = 0;
}

bool TMPDecodeStep::InitDecoder(const engine::FrameHeader& header, int length) {
  const int ready = links_.engine.InitDecoder(header, TMPFrameStream::LengthWithoutPadding(length, header), 0, 0,
                                              engine::output_flags::kChannelsAsCoded, engine::kPlayerMaxFrequency);
  if (ready == 0) return false;
  reinitDecoder_ = false;
  if (track_ != nullptr) track_->frames.ClearSkipCount();
  return true;
}

void TMPDecodeStep::CheckReaderOpen() const {
  if (track_ == nullptr || !track_->reader.Opened()) throw std::runtime_error("TMP3Player.MPMWatchEvent");
}

void TMPDecodeStep::Run() {
  try {
    Step();
  } catch (const EWaveOutError&) {
    // The device is gone: no step until play starts again, so that its
    // failure is reported once.
    links_.wakeEvent.ResetEvent();
    throw;
  }
}

void TMPDecodeStep::Step() {
  engine::ApplySimdControlOnThisThread();
  std::unique_lock decodeLock(links_.decodeLock);
  if (!WakeSignalled()) return;
  if (pendingPcm_ == 0) {
    CheckReaderOpen();
    if (track_->frames.Exhausted()) {
      EndOfTrack(decodeLock);
      return;
    }
    if (!FrameAtHand()) return;
    if (!DecodeNextFrame()) return;
  }
  const int freePercent = WritePendingPcm();
  decodeLock.unlock();
  ReadAheadWhileFull(freePercent);
  if (freePercent <= kYieldFreePercent) std::this_thread::yield();
}

bool TMPDecodeStep::FrameAtHand() {
  if (!track_->Live()) return true;
  if (draining_ && track_->DataAtHand(kFrameAtHandBytes)) return true;
  draining_ = false;
  const int wanted = BytesToWaitFor();
  if (track_->DataAtHand(wanted)) {
    starving_ = false;
    draining_ = true;
    return true;
  }
  starving_ = wanted == kFrameAtHandBytes;
  // Woken again by the stream, or by whoever repositions or stops play.
  links_.wakeEvent.ResetEvent();
  TMPEvent& wake = links_.wakeEvent;
  track_->CallWhenDataAtHand(wanted, [&wake] { wake.SetEvent(); });
  return false;
}

int TMPDecodeStep::BytesToWaitFor() {
  const std::int64_t pcmPerSecond = std::int64_t{track_->Frequency()} * track_->BytesPerSample();
  std::int64_t ahead;
  {
    std::lock_guard outputLock(links_.outputLock);
    ahead = links_.output.UnheardBytes();
  }
  if (pcmPerSecond <= 0 || ahead * 1000 < pcmPerSecond * kBatchWhenAheadMs) return kFrameAtHandBytes;
  const int perSecond = track_->Bitrate() > 0 ? track_->Bitrate() / 8 : kAssumedStreamBytesPerSecond;
  // Never more than the stream's own buffer could hold for the reader.
  return std::clamp(perSecond, kFrameAtHandBytes, TMPStreamReader::kReadChunk * 4);
}

void TMPDecodeStep::MarkTitleStart() {
  std::string title;
  if (!track_->TakeTitleStarted(title)) return;
  {
    // What was written so far is the song before; the mark tells when it is heard out.
    std::lock_guard outputLock(links_.outputLock);
    links_.output.SetMark();
  }
  if (hooks_.titleStarts) hooks_.titleStarts(title);
}

bool TMPDecodeStep::DecodeNextFrame() {
  TMPStreamReader& reader = track_->reader;
  TMPFrameStream& frames = track_->frames;
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
  if (track_->Live()) MarkTitleStart();
  const int pcmBytesPerFrame = track_->PcmBytesPerFrame();
  MPAssert(pcm_ && pcmBytesPerFrame > 0 && pcmBytesPerFrame <= kPcmBufferSize);
  const engine::DecodeResult result =
      links_.engine.DecodeFrame(reader.Data(), length, reinterpret_cast<int16_t*>(pcm_.data()));
  reader.Skip(length);
  frames.ClearPending();
  frames.ClearSkipCount();
  // A frame the engine rejects plays as silence.
  if (result.bytesConsumed < 1) std::memset(pcm_.data(), 0, static_cast<std::size_t>(pcmBytesPerFrame));
  return KeepPlayedPart();
}

bool TMPDecodeStep::KeepPlayedPart() {
  const int pcmBytesPerFrame = track_->PcmBytesPerFrame();
  const std::int64_t frameStart = track_->TakeFrameStart();
  TPlayWindow window = track_->PlayWindow();
  window.from = std::max(window.from, track_->PlayFrom());
  const TBlockPart part = PartInWindow(frameStart, pcmBytesPerFrame, window);
  // The encoder's padding is all that is left: the music has ended.
  if (frameStart + pcmBytesPerFrame >= window.until) track_->frames.EndDataHere();
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
      // A network stream holds its own buffer; reading ahead would wait on it.
      if (track_->Live() || !track_->reader.ReadAhead()) return;
    }
    std::lock_guard outputLock(links_.outputLock);
    freePercent = links_.output.FreePercent();
  }
}

void TMPDecodeStep::SetNextTrack(TMPTrack* next) {
  next_ = next;
  if (next_ != nullptr) lookAgain_.SetEvent();
}

void TMPDecodeStep::EndOfTrack(std::unique_lock<TMPSimpleMutex>& decodeLock) {
  if (next_ == nullptr || !SameOutputFormat(*track_, *next_)) {
    if (!PlayOut(decodeLock)) return;
    if (next_ == nullptr) {
      links_.wakeEvent.ResetEvent();
      if (hooks_.endOfStream) hooks_.endOfStream();
      return;
    }
  }
  if (SameOutputFormat(*track_, *next_)) {
    FollowOn();
    return;
  }
  {
    // Another rate or channel count: a new output for the next song.
    std::lock_guard outputLock(links_.outputLock);
    TSoundOut& output = links_.output;
    output.Close();
    output.SetFrequency(next_->Frequency());
    output.SetChannels(next_->Channels());
    output.SetBitsPerSample(kBitsPerSample);
    trackStartInOutput_ = 0;
    EnterNextTrack();
    output.Open();
  }
  if (hooks_.nextAudibleNow) hooks_.nextAudibleNow();
}

void TMPDecodeStep::FollowOn() {
  {
    std::lock_guard outputLock(links_.outputLock);
    TSoundOut& output = links_.output;
    previousTrackStart_ = trackStartInOutput_;
    // Decoding again what was sent: the mark is where it was.
    if (!output.Revising()) output.SetMark();
    trackStartInOutput_ = output.WritePosition();
  }
  EnterNextTrack();
}

bool TMPDecodeStep::PlayOut(std::unique_lock<TMPSimpleMutex>& decodeLock) {
  {
    std::lock_guard outputLock(links_.outputLock);
    links_.output.SetWaiter(nullptr);
    links_.output.Flush();
  }
  for (;;) {
    const TMPTrack* const next = next_;
    // A next song may still come in time to follow on.
    const bool waitForNext = next == nullptr;
    lookAgain_.ResetEvent();
    // Waited for without the decode lock: a paused output never plays its
    // last buffers, and Stop, Seek and Close must still get through then.
    // Each of them returns or drops the buffers, which ends this wait; a
    // next song queued or the track repositioned cuts it short.
    decodeLock.unlock();
    links_.output.WaitAllDone(&lookAgain_);
    decodeLock.lock();
    if (!WakeSignalled()) return false;  // stopped meanwhile
    {
      // A device that went away handed everything back unheard: not an end.
      std::lock_guard outputLock(links_.outputLock);
      links_.output.CheckDevice();
    }
    if (track_ == nullptr || !track_->reader.Opened() || !track_->frames.Exhausted()) return false;  // seeked back
    if (!waitForNext && next_ != next) return false;  // replaced: looked at again from the start
    // One of another format must wait until the output has played out.
    if (next_ == nullptr || SameOutputFormat(*track_, *next_) || links_.output.AllDone()) return true;
  }
}

void TMPDecodeStep::EnterNextTrack() {
  track_ = next_;
  next_ = nullptr;
  RequestReinit();
  if (hooks_.trackEntered) hooks_.trackEntered(*track_);
}

}  // namespace orvana::player
