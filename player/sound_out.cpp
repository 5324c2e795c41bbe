#include "player/sound_out.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <exception>
#include <mutex>
#include <thread>

#include "platform/interlocked.h"
#include "platform/tick_count.h"
#include "platform/waitable.h"
#include "player/assertion.h"
#include "player/wave_out_error.h"

namespace orvana::player {
namespace {

using platform::MMSYSERR_NOERROR;
using platform::MmResult;

constexpr int kUnprepareAttempts = 50;
constexpr int kBufferMs = 500;
constexpr int kLongestBufferMs = 4000;
// Enough for a sound server to start on, a fraction of a frame's decoding.
constexpr int kStartMs = 50;

void Check(MmResult result, const char* operation) {
  if (result != MMSYSERR_NOERROR) RaiseWaveOutError(result, operation);
}

// Runs `action` when the scope is left, however it is left.
template <typename Action>
class AtExit {
 public:
  explicit AtExit(Action action) : action_(std::move(action)) {}
  ~AtExit() { action_(); }
  AtExit(const AtExit&) = delete;
  AtExit& operator=(const AtExit&) = delete;

 private:
  Action action_;
};

}  // namespace

TSoundOut::TSoundOut() : thread_(this) {
  thread_.SetOnException([this](TMPLoopThread&, const std::exception& error, bool& handled) {
    ExceptionHandler handler;
    {
      std::lock_guard lock(callbackMutex_);
      handler = onException_;
    }
    if (handler) handler(*this, error, handled);
  });
  thread_.SetName("orvana-output");
  thread_.Resume();
}

TSoundOut::~TSoundOut() {
  try {
    Close();
  } catch (const std::exception&) {
    // Nothing can be reported from a destructor; the device is released anyway.
  }
  thread_.Stop();
}

int TSoundOut::BufferSizeFor(int frequency, int channels, int bitsPerSample, int milliseconds) {
  const int64_t bytesPerSecond = int64_t{channels} * (bitsPerSample / 8) * frequency;
  return static_cast<int>(((bytesPerSecond * milliseconds * 4 / 1000) / 4 + 3) / 4 * 4);
}

uint32_t TSoundOut::WaveVolumeFor(int volume, int balance) {
  const uint32_t base = static_cast<uint32_t>((volume * 65535 + 50) / 100);
  uint32_t left = base;
  uint32_t right = base;
  if (balance < 0) right = (base * static_cast<uint32_t>(balance + 100) + 50) / 100;
  if (balance > 0) left = (base * static_cast<uint32_t>(100 - balance) + 50) / 100;
  return left | (right << 16);
}

void TSoundOut::SetFrequency(int frequency) {
  if (frequency > 0) frequency_ = frequency;
}

void TSoundOut::SetChannels(int channels) {
  if (channels == 1 || channels == 2) channels_ = channels;
}

void TSoundOut::SetBitsPerSample(int bits) {
  if (bits == 8 || bits == 16) bitsPerSample_ = bits;
}

void TSoundOut::SetVolume(int volume) {
  if (volume < 0 || volume > 100) return;
  volume_ = volume;
  if (OnDevice()) SetVolumeToWaveDevice();
}

void TSoundOut::SetBalance(int balance) {
  if (balance < -100 || balance > 100) return;
  balance_ = balance;
  if (OnDevice()) SetVolumeToWaveDevice();
}

void TSoundOut::SetWaveFileName(const std::string& name) {
  if (!IsOpen()) waveFileName_ = name;
}

void TSoundOut::SetPositionInterval(int milliseconds) {
  positionInterval_.store(milliseconds < 0 ? -1 : milliseconds);
  UpdatePositionTimer();
}

void TSoundOut::SetOnPosition(PositionHandler handler) {
  std::lock_guard lock(callbackMutex_);
  onPosition_ = std::move(handler);
}

void TSoundOut::SetOnException(ExceptionHandler handler) {
  std::lock_guard lock(callbackMutex_);
  onException_ = std::move(handler);
}

void TSoundOut::SetOnMark(PositionHandler handler) {
  std::lock_guard lock(callbackMutex_);
  onMark_ = std::move(handler);
}

int TSoundOut::BufferSize() const {
  std::lock_guard lock(bufferLock_);
  return bufferSize_;
}

platform::WaveFormat TSoundOut::Format() const {
  return platform::MakePcmFormat(static_cast<uint32_t>(frequency_), static_cast<uint16_t>(channels_),
                                 static_cast<uint16_t>(bitsPerSample_));
}

void TSoundOut::Open() {
  if (IsOpen()) return;
  open_.store(true);
  try {
    // Nothing is queued yet; set before opening, so that a Close after a
    // failed open finds nothing to wait for.
    {
      std::lock_guard lock(bufferLock_);
      current_ = 0;
      fill_ = 0;
      writtenBytes_ = reviseAt_ = reviseEnd_ = 0;
      std::lock_guard mark(markLock_);
      queued_.store(0);
      markCountdown_ = 0;
    }
    lastPositionTick_.store(platform::TickCount());
    allDone_.SetEvent();
    if (!waveFileName_.empty())
      OpenFile();
    else
      OpenDevice();
  } catch (...) {
    Close();
    throw;
  }
}

void TSoundOut::AllocateBuffers(int milliseconds) {
  std::lock_guard lock(bufferLock_);
  bufferSize_ = BufferSizeFor(frequency_, channels_, bitsPerSample_, milliseconds);
  startBytes_ = std::min(bufferSize_, BufferSizeFor(frequency_, channels_, bitsPerSample_, kStartMs));
  for (int i = 0; i < kSoundBufferCount; ++i) {
    buffers_[i].assign(static_cast<size_t>(bufferSize_), 0);
    headers_[i].data = buffers_[i].data();
    headers_[i].bufferLength = static_cast<uint32_t>(bufferSize_);
    headers_[i].flags.store(0);
  }
}

void TSoundOut::FreeBuffers() {
  std::lock_guard lock(bufferLock_);
  for (int i = 0; i < kSoundBufferCount; ++i) {
    buffers_[i] = std::vector<uint8_t>();
    headers_[i].data = nullptr;
    headers_[i].bufferLength = 0;
    headers_[i].flags.store(0);
  }
  bufferSize_ = 0;
  fill_ = 0;
  reviseAt_ = reviseEnd_ = 0;
}

void TSoundOut::OpenDevice() {
  previousDoneBytes_ = 0;
  paused_ = false;
  Check(platform::OpenWaveOut(deviceId_, Format(), &thread_.Queue(), waveOut_), "TSoundOut.Open:WaveOutOpen");
  onDevice_.store(true);
  SetVolumeToWaveDevice();
  waveOut_->SetTitle(title_);
  const uint32_t preferred = waveOut_->PreferredBlockMs();
  AllocateBuffers(preferred > 0 ? static_cast<int>(std::min<uint32_t>(preferred, kLongestBufferMs)) : kBufferMs);
  for (platform::WaveHeader& header : headers_) Check(waveOut_->Prepare(header), "TSoundOut.Open:WaveOutPreperHeader");
  UpdatePositionTimer();
}

void TSoundOut::OpenFile() {
  previousDoneBytes_ = 0;
  waveFile_ = std::make_unique<WaveFile>(waveFileName_, Format());
  AllocateBuffers(kBufferMs);
}

void TSoundOut::Close() {
  if (!IsOpen()) return;
  {
    std::lock_guard lock(waiterLock_);
    waiter_ = nullptr;
  }
  AtExit release([this] {
    // A device that is still open here failed to close: destroying the
    // stream stops it touching the buffers before they go.
    waveOut_.reset();
    onDevice_.store(false);
    waveFile_.reset();
    FreeBuffers();
    open_.store(false);
  });
  if (waveFile_)
    CloseFile();
  else if (waveOut_)
    CloseDevice();
}

void TSoundOut::CloseFile() {
  // Every queued buffer must reach the file before its sizes are patched.
  Flush();
  WaitAllDone();
  waveFile_->Finish();
}

void TSoundOut::CloseDevice() {
  thread_.Timeout.store(-1);
  // A paused device would never play the rest: drop it instead of waiting forever.
  if (paused_) Reset();
  Flush();
  WaitAllDone();
  for (platform::WaveHeader& header : headers_) {
    if (!(header.flags.load() & platform::WHDR_PREPARED)) continue;
    // Bounded: a device that never lets go is closed by force below.
    for (int attempt = 0; attempt < kUnprepareAttempts; ++attempt) {
      if (waveOut_->Unprepare(header) != platform::WAVERR_STILLPLAYING) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
  }
  waveOut_->Close();
  waveOut_.reset();
  onDevice_.store(false);
}

int TSoundOut::Write(const void* bytes, int length) {
  if (bytes == nullptr) return 0;
  const auto* source = static_cast<const uint8_t*>(bytes);
  int taken = Revise(source, length);
  length -= taken;
  while (length > 0 && CanWrite()) {
    std::lock_guard lock(bufferLock_);
    const int n = std::min(bufferSize_ - fill_, length);
    std::memcpy(buffers_[current_].data() + fill_, source + taken, static_cast<size_t>(n));
    fill_ += n;
    writtenBytes_ += n;
    if (fill_ >= bufferSize_ || (fill_ >= startBytes_ && queued_.load() == 0 && OnDevice())) QueueCurrentBuffer();
    taken += n;
    length -= n;
  }
  return taken;
}

bool TSoundOut::CanWrite() {
  std::lock_guard lock(bufferLock_);
  return reviseAt_ < reviseEnd_ || (queued_.load() < kSoundBufferCount && fill_ < bufferSize_);
}

int TSoundOut::FreePercent() {
  if (!IsOpen()) return 0;
  std::lock_guard lock(bufferLock_);
  if (bufferSize_ == 0) return 0;
  if (reviseAt_ < reviseEnd_) return 100;  // revising takes no room
  const int64_t total = int64_t{kSoundBufferCount} * bufferSize_;
  const int64_t free = int64_t{kSoundBufferCount - queued_.load()} * bufferSize_ - fill_;
  return static_cast<int>(free * 100 / total);
}

void TSoundOut::QueueCurrentBuffer() {
  std::lock_guard lock(bufferLock_);
  const int32_t queued = platform::InterlockedIncrement(queued_);
  allDone_.ResetEvent();
  const auto unqueue = [this] {
    if (platform::InterlockedDecrement(queued_) == 0) allDone_.SetEvent();
  };
  if (queued > kSoundBufferCount) {
    unqueue();
    MPAssert(false);
  }
  const int index = current_;
  headers_[index].bufferLength = static_cast<uint32_t>(fill_);
  fill_ = 0;
  if (waveFile_) {
    thread_.PostMessage(MPM_WRITEFILE, 0, index);
  } else {
    UpdatePositionTimer();
    const MmResult result = waveOut_->Write(headers_[index]);
    if (result != MMSYSERR_NOERROR) {
      // The device never took it, so it will never come back.
      unqueue();
      RaiseWaveOutError(result, "TSoundOut.WaveWrite");
    }
  }
  current_ = (current_ + 1) % kSoundBufferCount;
}

bool TSoundOut::BeginRevision(int64_t fromByte) {
  if (!OnDevice()) return false;
  std::lock_guard lock(bufferLock_);
  const int frameBytes = channels_ * bitsPerSample_ / 8;
  fromByte = std::max<int64_t>(0, fromByte / frameBytes * frameBytes);
  if (fromByte >= writtenBytes_) return false;
  // A device that cannot rewrite says so at once; nothing is changed then.
  if (fromByte < writtenBytes_ - fill_ &&
      waveOut_->Rewrite(static_cast<uint64_t>(fromByte), nullptr, 0) == platform::MMSYSERR_NOTSUPPORTED)
    return false;
  reviseAt_ = fromByte;
  reviseEnd_ = writtenBytes_;
  return true;
}

bool TSoundOut::Revising() const {
  std::lock_guard lock(bufferLock_);
  return reviseAt_ < reviseEnd_;
}

int64_t TSoundOut::WritePosition() const {
  std::lock_guard lock(bufferLock_);
  return reviseAt_ < reviseEnd_ ? reviseAt_ : writtenBytes_;
}

int TSoundOut::Revise(const uint8_t* bytes, int length) {
  std::lock_guard lock(bufferLock_);
  const int taken = static_cast<int>(std::min<int64_t>(length, reviseEnd_ - reviseAt_));
  if (taken <= 0) return 0;
  // Sound already queued is the device's to replace; the buffer being
  // filled is still ours.
  const int64_t queuedEnd = writtenBytes_ - fill_;
  const int toDevice = static_cast<int>(std::clamp<int64_t>(queuedEnd - reviseAt_, 0, taken));
  if (toDevice > 0) {
    const MmResult result = waveOut_->Rewrite(static_cast<uint64_t>(reviseAt_), bytes, static_cast<uint32_t>(toDevice));
    if (result != platform::MMSYSERR_NOERROR && result != platform::MMSYSERR_NOTSUPPORTED)
      RaiseWaveOutError(result, "TSoundOut.WaveWrite");
  }
  if (taken > toDevice)
    std::memcpy(buffers_[current_].data() + (reviseAt_ + toDevice - queuedEnd), bytes + toDevice,
                static_cast<size_t>(taken - toDevice));
  reviseAt_ += taken;
  return taken;
}

int64_t TSoundOut::PlayedBytesNow() {
  if (!IsOpen()) return 0;
  uint64_t done = 0;
  if (waveFile_)
    done = waveFile_->SampleBytes();
  else if (waveOut_)
    Check(waveOut_->GetPositionBytes(done), "TSoundOut.GetDoneBytes");
  return static_cast<int64_t>(done);
}

void TSoundOut::Flush() {
  if (!IsOpen()) return;
  {
    std::lock_guard lock(bufferLock_);
    if (fill_ > 0) QueueCurrentBuffer();
  }
  thread_.Sync();
}

void TSoundOut::WaitAllDone(TMPEvent* alsoOn) {
  if (alsoOn != nullptr)
    platform::WaitForAny({&allDone_.Handle(), &thread_.Handle(), &alsoOn->Handle()}, platform::kWaitInfinite);
  else
    platform::WaitForAny({&allDone_.Handle(), &thread_.Handle()}, platform::kWaitInfinite);
}

void TSoundOut::Reset() {
  if (!OnDevice()) return;
  {
    std::lock_guard lock(bufferLock_);
    fill_ = 0;
    writtenBytes_ = reviseAt_ = reviseEnd_ = 0;
    std::lock_guard mark(markLock_);
    markCountdown_ = 0;
  }
  waveOut_->Reset();
  previousDoneBytes_ = 0;
  paused_ = false;
  UpdatePositionTimer();
}

void TSoundOut::Pause() {
  if (!OnDevice()) return;
  Check(waveOut_->Pause(), "TSoundOut.Pause");
  paused_ = true;
  UpdatePositionTimer();
}

void TSoundOut::Unpause() {
  if (!OnDevice()) return;
  Check(waveOut_->Restart(), "TSoundOut.Unpause");
  paused_ = false;
  UpdatePositionTimer();
}

int64_t TSoundOut::GetDoneBytes() {
  if (!IsOpen()) return 0;
  const int64_t done = PlayedBytesNow();
  const int64_t since = done - static_cast<int64_t>(previousDoneBytes_);
  previousDoneBytes_ = static_cast<uint64_t>(done);
  return since;
}

void TSoundOut::SetWaiter(TMPEvent* event) {
  {
    std::lock_guard lock(waiterLock_);
    waiter_ = event;
  }
  NotifyWaiter();
}

void TSoundOut::NotifyWaiter() {
  std::lock_guard lock(waiterLock_);
  if (waiter_ != nullptr && CanWrite()) {
    waiter_->SetEvent();
    waiter_ = nullptr;
  }
}

void TSoundOut::CheckDevice() {
  if (!waveOut_) return;
  const MmResult failure = waveOut_->Failure();
  if (failure != MMSYSERR_NOERROR) RaiseWaveOutError(failure, "TSoundOut.WaveWrite");
}

void TSoundOut::SetTitle(const std::string& title) {
  title_ = title;
  if (waveOut_) waveOut_->SetTitle(title_);
}

void TSoundOut::SetVolumeToWaveDevice() {
  if (!waveOut_) return;
  const MmResult result = waveOut_->SetVolume(WaveVolumeFor(volume_, balance_));
  if (result != platform::MMSYSERR_NOTSUPPORTED) Check(result, "TSoundOut.SetVolumeToWaveDevice");
}

void TSoundOut::Dispatch(TMPMessage& message) {
  switch (message.Msg) {
    case platform::MM_WOM_DONE: MMWomDone(); break;
    case MPM_WRITEFILE: MPMWriteFile(message.LParam); break;
    case MPM_TIMEOUT: MPMTimeout(); break;
    case MPM_MARKREACHED: MarkReached(); break;
    default: break;
  }
}

int64_t TSoundOut::WrittenBytes() const {
  std::lock_guard lock(bufferLock_);
  return writtenBytes_;
}

void TSoundOut::SetMark() {
  bool reachedAlready = false;
  {
    std::lock_guard lock(bufferLock_);
    // The mark falls at a buffer's end: the partly filled one goes now.
    if (fill_ > 0) QueueCurrentBuffer();
    std::lock_guard mark(markLock_);
    markCountdown_ = queued_.load();
    reachedAlready = markCountdown_ == 0;
  }
  if (reachedAlready) thread_.PostMessage(MPM_MARKREACHED);
}

void TSoundOut::MarkReached() {
  PositionHandler handler;
  {
    std::lock_guard lock(callbackMutex_);
    handler = onMark_;
  }
  if (handler) handler(*this);
}

void TSoundOut::MMWomDone() {
  int32_t left = 0;
  bool markReached = false;
  {
    std::lock_guard mark(markLock_);
    left = platform::InterlockedDecrement(queued_);
    markReached = markCountdown_ > 0 && --markCountdown_ == 0;
  }
  if (markReached) MarkReached();
  if (left <= 0) {
    // Checked again under the buffer lock: a buffer queued meanwhile has
    // already reset the event, which must then stay reset.
    std::lock_guard lock(bufferLock_);
    if (queued_.load() == 0) allDone_.SetEvent();
  }
  if (left < 0) {
    queued_.store(0);
    allDone_.SetEvent();
  }
  UpdatePositionTimer();
  MPAssert(left >= 0);
  NotifyWaiter();
  if (OnDevice()) PositionCheck();
}

void TSoundOut::MPMWriteFile(intptr_t bufferIndex) {
  MPAssert(bufferIndex >= 0 && bufferIndex < kSoundBufferCount && waveFile_ != nullptr);
  const platform::WaveHeader& header = headers_[static_cast<size_t>(bufferIndex)];
  std::exception_ptr failure;
  try {
    waveFile_->WriteSamples(header.data, header.bufferLength);
    PositionCheck();
  } catch (...) {
    failure = std::current_exception();
  }
  // The buffer counts as returned even when writing it failed, or Close
  // would wait for it forever.
  MMWomDone();
  if (failure) std::rethrow_exception(failure);
}

void TSoundOut::MPMTimeout() {
  if (OnDevice()) PositionCheck();
}

void TSoundOut::UpdatePositionTimer() {
  // Serialised, so that the last caller leaves the time-out that fits the
  // latest state, whichever thread changed it.
  std::lock_guard lock(timerLock_);
  const bool moving = OnDevice() && !paused_.load() && queued_.load() > 0;
  const int32_t timeout = moving ? positionInterval_.load() : -1;
  // A thread waiting without a time-out would not see the new one before
  // its next message: one with nothing to do starts the timed wait now.
  if (thread_.Timeout.exchange(timeout) == -1 && timeout != -1) thread_.PostMessage(MPM_SYNC);
}

void TSoundOut::PositionCheck() {
  PositionHandler handler;
  {
    std::lock_guard lock(callbackMutex_);
    handler = onPosition_;
  }
  const int interval = positionInterval_.load();
  if (!handler || interval == -1) return;
  const int64_t now = platform::TickCount();
  if (now - lastPositionTick_.load() > interval) {
    lastPositionTick_.store(now);
    handler(*this);
  }
}

}  // namespace orvana::player
