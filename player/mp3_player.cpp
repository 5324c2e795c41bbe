#include "player/mp3_player.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <mutex>
#include <stdexcept>

#include "player/assertion.h"
#include "player/file_stream.h"
#include "player/host_hooks.h"
#include "player/player_messages.h"
#include "player/vbr_header.h"

namespace orvana::player {
namespace {

// The open reads this much after the tags in one request to find the first frame.
constexpr int kSyncSearchBytes = 4096;
// The longest frame there is (MPEG-2.5 Layer III, 160 kbit/s at 8 kHz, padded).
constexpr int kLongestFrame = 1441;

[[noreturn]] void RaiseUnknownFormat() { throw std::runtime_error(TMP3Player::kUnknownFormat); }

}  // namespace

TMP3Player::TMP3Player(engine::EngineState& engine)
    : engine_(engine),
      window_([this](TMPMessage& message) { HandleMessage(message); }),
      decodeStep_({reader_, frames_, engine_, soundOut_, decodeLock_, outputLock_, decodeThread_.WakeEvent()},
                  [this] { window_.Post(MPM_ENDOFSTREAM); }) {
  soundOut_.SetPositionInterval(changePosStep_);
  soundOut_.SetOnException(
      [this](TSoundOut&, const std::exception& error, bool& handled) { ThreadExceptionHandler(error, handled); });
  soundOut_.SetOnPosition([this](TSoundOut&) { PositionNotify(); });
  decodeTarget_.SetHandler([this] { decodeStep_.Run(); });
  decodeThread_.SetOnException(
      [this](TMPLoopThread&, const std::exception& error, bool& handled) { ThreadExceptionHandler(error, handled); });
  decodeThread_.Resume();
}

TMP3Player::~TMP3Player() {
  destroying_ = true;
  shuttingDown_.Set();
  try {
    Stop();
    Close();
  } catch (const std::exception& error) {
    ShowException(error);
  }
  // The window goes with the player: nothing waiting in it is handled.
  window_.Discard();
  decodeThread_.Stop();
  soundOut_.SetOnPosition(nullptr);
  soundOut_.SetOnException(nullptr);
}

void TMP3Player::Loaded() {
  loading_ = false;
  if (equalizer_.mode == memFreq) SetBandRange(60, 16000);
  if (autoOpen_ && !fileName_.empty()) Open();
}

// --- properties

void TMP3Player::SetAutoOpen(bool value) {
  autoOpen_ = value;
  if (value && !loading_) Open();
}

void TMP3Player::SetAutoPlay(bool value) {
  autoPlay_ = value;
  if (Opened() && (status_ == msStopped || status_ == msPaused)) Play();
}

void TMP3Player::SetChangePosStep(int milliseconds) {
  if (milliseconds < 100) return;
  changePosStep_ = milliseconds;
  std::lock_guard output(outputLock_);
  soundOut_.SetPositionInterval(milliseconds);
}

void TMP3Player::SetDecodePriority(TThreadPriority priority) {
  decodePriority_ = priority;
  decodeThread_.SetPriority(ThreadPriorityValue(priority));
}

void TMP3Player::SetEqualizerEnabled(bool value) {
  if (value == equalizer_.enabled) return;
  equalizer_.enabled = value;
  window_.PostOnce(MPM_EQUALIZER);
}

void TMP3Player::SetEqualizerCount(int count) {
  // More bands than the arrays hold would be read past their end.
  if (count <= 0 || count > kEqualizerBands || count == equalizer_.count) return;
  equalizer_.count = count;
  window_.PostOnce(MPM_EQUALIZER);
}

void TMP3Player::SetEqualizerMode(TMP3EqualizerMode mode) {
  if (mode == equalizer_.mode || (mode != memSubBand && mode != memFreq)) return;
  equalizer_.mode = mode;
  window_.PostOnce(MPM_EQUALIZER);
}

int TMP3Player::EqualizerGain(int band) const {
  return band >= 0 && band < kEqualizerBands ? equalizer_.gains[band] : 0;
}

void TMP3Player::SetEqualizerGain(int band, int level) {
  if (band < 0 || band >= kEqualizerBands || equalizer_.gains[band] == level) return;
  equalizer_.gains[band] = level;
  window_.PostOnce(MPM_EQUALIZER);
}

int TMP3Player::EqualizerFrequency(int band) const {
  return band >= 0 && band < kEqualizerBands ? equalizer_.frequencies[band] : 0;
}

void TMP3Player::SetBandRange(int low, int high) {
  if (equalizer_.mode != memFreq) return;
  if (SetGeometricBands(equalizer_.frequencies, equalizer_.count, low, high)) window_.PostOnce(MPM_EQUALIZER);
}

void TMP3Player::SetFileName(const std::string& name) {
  fileName_ = name;
  if (autoOpen_ && !loading_) Open();
}

bool TMP3Player::InvertPolarity() {
  std::lock_guard decode(decodeLock_);
  return engine_.PolarityInverted();
}

void TMP3Player::SetInvertPolarity(bool value) {
  std::lock_guard decode(decodeLock_);
  engine_.SetPolarityInverted(value);
}

void TMP3Player::SetUsingCpuCapabilities(engine::TMP3CpuCapabilities capabilities) {
  usingCpuCapabilities_ = capabilities & engine::FlagsToCapabilities(engine::DetectCpu());
}

void TMP3Player::SetVolBalance(int balance) {
  if (balance < -100 || balance > 100) return;
  volBalance_ = balance;
  std::lock_guard output(outputLock_);
  soundOut_.SetBalance(balance);
}

void TMP3Player::SetVolume(int volume) {
  if (volume < 0 || volume > 100) return;
  if (volume == 0 && loading_) {
    // A stored 0 means "as the device is set".
    volume_ = soundOut_.Volume();
    return;
  }
  volume_ = volume;
  std::lock_guard output(outputLock_);
  soundOut_.SetVolume(volume);
}

void TMP3Player::SetWaveFileName(const std::string& name) {
  if (status_ == msStopped) waveFileName_ = name;
}

void TMP3Player::SetDeviceID(int deviceId) {
  if (status_ == msStopped) deviceId_ = deviceId;
}

// --- read-only values

TMP3PlayerCapabilities TMP3Player::Capabilities() const {
  TMP3PlayerCapabilities capabilities;
  capabilities.Include(mpcOpen);
  if (!Opened()) return capabilities;
  capabilities.Include(mpcClose);
  const bool toDevice = waveFileName_.empty();
  switch (status_) {
    case msStopped:
      capabilities.Include(mpcPlay);
      capabilities.Include(mpcIdle);
      break;
    case msPlaying:
      capabilities.Include(mpcStop);
      if (toDevice) capabilities.Include(mpcPause);
      break;
    case msPaused:
      capabilities.Include(mpcStop);
      if (toDevice) capabilities.Include(mpcResume);
      break;
  }
  if (Seekable() && status_ != msStopped && toDevice) capabilities.Include(mpcSeek);
  return capabilities;
}

std::string TMP3Player::Title() const {
  std::string title = info_.Title();
  if (!title.empty()) return title;
  const std::size_t slash = fileName_.find_last_of('/');
  return slash == std::string::npos ? fileName_ : fileName_.substr(slash + 1);
}

std::int64_t TMP3Player::Position() {
  std::lock_guard output(outputLock_);
  if (soundOut_.IsOpen()) {
    playedBytes_ += soundOut_.GetDoneBytes();
    const std::int64_t bitsPerSecond =
        std::int64_t{soundOut_.Frequency()} * soundOut_.Channels() * soundOut_.BitsPerSample();
    position_ = playedBytes_ * 1000 * 8 / bitsPerSecond;
  }
  return position_;
}

std::int64_t TMP3Player::Length() const {
  // The decode thread moves the end of the data when it finds it early.
  std::lock_guard decode(decodeLock_);
  if (frequency_ > 0 && vbrTotal_ > 0) return vbrTotal_ * 1000 / (std::int64_t{frequency_} * channels_ * 2);
  if (bitrate_ > 0 && frames_.DataSizeKnown()) return frames_.DataSize() * 8 * 1000 / bitrate_;
  return 0;
}

// --- opening and closing

void TMP3Player::Open() {
  if (fileName_.empty()) {
    Close();
    return;
  }
  // Raises before anything is closed: a stream already open stays open.
  auto stream = std::make_unique<TMPFileStream>(fileName_);
  // Pipes and devices are read in order, as streams that cannot be positioned.
  const TMP3StreamOptions options = msoOwnsStream | (stream->CanSeek() ? msoSeekable : 0);
  const std::string name = fileName_;
  OpenStreamNamed(stream.release(), options, name);
}

void TMP3Player::OpenStream(TStream* stream, TMP3StreamOptions options) { OpenStreamNamed(stream, options, {}); }

void TMP3Player::OpenStreamNamed(TStream* stream, TMP3StreamOptions options, const std::string& name) {
  Close();
  if (stream != nullptr) {
    stream_ = stream;
    options_ = options;
    fileName_ = name;  // Close forgot it; the file being opened keeps it
    try {
      ReadStreamStart();
    } catch (...) {
      Close();
      throw;
    }
    window_.PostOnce(MPM_EQUALIZER);
    SetStatus(msStopped);
  }
  if (autoPlay_) Play();
}

void TMP3Player::ReadStreamStart() {
  std::lock_guard decode(decodeLock_);
  seekTable_.Clear();
  reader_.Open(stream_, Seekable());
  decodeStep_.AllocateBuffer();
  info_.SetReader(&reader_);
  info_.ScanHead();
  if (Seekable()) {
    info_.ScanTail();
    reader_.Seek(info_.DataStart(), soBeginning);
  }
  frames_.Reset(info_.DataStart(), info_.DataSize());
  playedBytes_ = position_ = 0;

  // A shorter stream simply offers fewer bytes.
  reader_.Need(kSyncSearchBytes);
  engine::FrameHeader header;
  int bitrate = 0;
  int offset = 0;
  // A free-format frame measures by the search for the next one within the bytes read.
  const int firstLength = engine::FindFrameSync(reader_.Data(), reader_.Contiguous(), header, bitrate, offset);
  if (firstLength <= 0) RaiseUnknownFormat();
  if (offset > 0) {
    frames_.MoveDataStart(offset);
    if (!reader_.Skip(offset)) RaiseUnknownFormat();
    reader_.Need(kLongestFrame);
    if (reader_.Contiguous() < 4) RaiseUnknownFormat();
  }
  frames_.TakeFirstHeader(header.bitrateIndex == 0 ? firstLength : 0);
  engine::FrameHeader measured;
  const int length = frames_.FrameSize(reader_.Data(), measured);
  if (length <= 0) RaiseUnknownFormat();
  frames_.SetPending(length, measured);
  layer_ = 4 - header.layerCode;
  if (header.versionId == 1)
    version_ = 1;
  else if (header.versionId == 0 && (header.syncKind == 1 || header.syncKind == 2))
    version_ = header.syncKind + 1;
  else
    RaiseUnknownFormat();
  if (!reader_.Need(length) || !decodeStep_.InitDecoder(header, length)) RaiseUnknownFormat();

  engine::OutputFormat format;
  engine_.GetOutputFormat(format);
  const int pcmBytesPerFrame = format.samplesPerFrame * format.bitsPerSample / 8;
  if (pcmBytesPerFrame <= 0 || pcmBytesPerFrame > TMPDecodeStep::kPcmBufferSize) RaiseUnknownFormat();
  {
    std::lock_guard output(outputLock_);
    soundOut_.SetFrequency(format.sampleRate);
    soundOut_.SetBitsPerSample(format.bitsPerSample);
    soundOut_.SetChannels(format.channels);
  }
  frequency_ = format.sampleRate;
  channels_ = format.channels;
  bitrate_ = bitrate;
  decodeStep_.SetPcmBytesPerFrame(pcmBytesPerFrame);
  ReadVbrHeader(header);
  seekTable_.Add(reader_.Position());
}

void TMP3Player::ReadVbrHeader(const engine::FrameHeader& header) {
  const int length = frames_.PendingLength();
  const TVbrHeader vbr = player::ReadVbrHeader(reader_.Data(), length, header);
  if (vbr.kind == TVbrHeaderKind::kNone) return;
  // An Info header marks a constant-bit-rate file: its bit rate stands.
  if (vbr.kind != TVbrHeaderKind::kInfo) bitrate_ = 0;
  if (vbr.frames > 0) vbrTotal_ = std::int64_t{vbr.frames - 1} * decodeStep_.PcmBytesPerFrame();
  if (vbr.bytes > 0) frames_.SetDataSize(vbr.bytes);
  // The encoder's delays are those of Layer III encoding.
  if (layer_ == 3) SetPlayWindow(EncoderPlayWindow(vbr, decodeStep_.PcmBytesPerFrame() / BytesPerSample()));
  // The header frame is stream information, never audio.
  if (!reader_.Skip(length)) RaiseUnknownFormat();
  frames_.MoveDataStart(length);
  frames_.ClearPending();
}

void TMP3Player::SetPlayWindow(const TPlayWindow& samples) {
  const TPlayWindow bytes = samples.Scaled(BytesPerSample());
  decodeStep_.SetPlayWindow(bytes);
  decodeStep_.ContinueAt(0, bytes.from);
  // The length is that of the music alone.
  if (bytes.Length() >= 0) vbrTotal_ = bytes.Length();
}

void TMP3Player::Close() {
  if (!Opened()) return;
  if (status_ != msStopped) Stop();
  if (!Opened()) return;  // a stream that cannot be positioned closes when it stops
  {
    std::lock_guard decode(decodeLock_);
    reader_.Close();
    decodeStep_.FreeBuffer();
    ReleaseStream();
    info_.Clear();
    frames_.Reset(0, kDataSizeUnknown);
  }
  fileName_.clear();
  bitrate_ = channels_ = layer_ = version_ = frequency_ = 0;
  playedBytes_ = position_ = vbrTotal_ = 0;
  SetStatus(msStopped);
}

void TMP3Player::ReleaseStream() {
  if (options_ & msoOwnsStream) delete stream_;
  stream_ = nullptr;
  options_ = 0;
}

// --- playback

void TMP3Player::Play() {
  if (!Capabilities().Has(mpcPlay)) return;
  {
    // Never a kernel the processor lacks, whatever the set holds.
    const engine::CpuFeatureFlags detected = engine::DetectCpu();
    const engine::CpuFeatureFlags wanted = engine::CapabilitiesToFlags(usingCpuCapabilities_) & detected;
    std::lock_guard decode(decodeLock_);
    engine_.SelectKernels((detected & ~engine::cpu::kSwitchableBits) | wanted);
  }
  {
    std::lock_guard output(outputLock_);
    soundOut_.SetOnPosition([this](TSoundOut&) { PositionNotify(); });
    soundOut_.SetWaveFileName(waveFileName_);
    soundOut_.SetDeviceID(deviceId_);
    soundOut_.Open();
  }
  decodeThread_.WakeEvent().SetEvent();
  SetStatus(msPlaying);
  endReason_ = meprStopped;
  window_.PostOnce(MPM_CHANGEPOSITION);
}

void TMP3Player::Pause() {
  if (!Capabilities().Has(mpcPause)) return;
  {
    std::lock_guard output(outputLock_);
    soundOut_.Pause();
  }
  SetStatus(msPaused);
}

void TMP3Player::Resume() {
  if (!Capabilities().Has(mpcResume)) return;
  {
    std::lock_guard output(outputLock_);
    soundOut_.Unpause();
  }
  SetStatus(msPlaying);
}

void TMP3Player::Stop() {
  if (!Opened() || status_ == msStopped) return;
  waveFileName_.clear();
  {
    std::lock_guard decode(decodeLock_);
    {
      std::lock_guard output(outputLock_);
      soundOut_.SetOnPosition(nullptr);
      soundOut_.Reset();
      soundOut_.Close();
      decodeThread_.WakeEvent().ResetEvent();
    }
    if (Seekable()) reader_.Seek(frames_.DataStart(), soBeginning);
    decodeStep_.DropPendingPcm();
    decodeStep_.ContinueAt(0, 0);
    decodeStep_.RequestReinit();
    frames_.ClearPending();
  }
  playedBytes_ = position_ = 0;
  // An end-of-stream notice of the playback that ends here must not stop
  // (or close) whatever is played next.
  window_.RemoveQueued(MPM_ENDOFSTREAM);
  SetStatus(msStopped);
  window_.PostOnce(MPM_CHANGEPOSITION);
  if (!Seekable()) Close();
}

void TMP3Player::SetStatus(TMP3Status status) {
  const bool playEnded = Opened() && (status_ == msPlaying || status_ == msPaused) && status == msStopped;
  status_ = status;
  window_.PostOnce(MPM_CHANGESTATUS);
  if (playEnded) window_.PostOnce(MPM_ENDPLAY);
}

// --- seeking

void TMP3Player::Seek(std::int64_t milliseconds) {
  MPAssert(!Opened() || Seekable());
  if (milliseconds < 0 || !Capabilities().Has(mpcSeek)) return;
  {
    std::lock_guard decode(decodeLock_);
    std::lock_guard output(outputLock_);
    soundOut_.SetOnPosition(nullptr);
    const bool paused = status_ == msPaused;
    soundOut_.Reset();
    soundOut_.WaitAllDone();
    decodeStep_.DropPendingPcm();
    frames_.ClearPending();
    playedBytes_ = position_ = 0;
    // Without noise the engine forgets the old position's reservoir and overlap.
    if (!noisySeek_) decodeStep_.RequestReinit();
    {
      std::lock_guard table(seekTable_);
      const TSeekPoint point = SeekPointOf(milliseconds);
      const int frame = LocateFrame(point.frame);
      const std::int64_t frameStart = std::int64_t{frame} * decodeStep_.PcmBytesPerFrame();
      reader_.Seek(seekTable_.At(frame), soBeginning);
      // Short of the frame asked for (past the end) play resumes at the frame found.
      const std::int64_t playFrom = frame == point.frame ? point.playFrom : frameStart;
      decodeStep_.ContinueAt(frameStart, playFrom);
      playedBytes_ = PlayedBytesAt(playFrom);
    }
    if (paused) soundOut_.Pause();
    soundOut_.SetOnPosition([this](TSoundOut&) { PositionNotify(); });
  }
  window_.PostOnce(MPM_CHANGEPOSITION);
}

TMP3Player::TSeekPoint TMP3Player::SeekPointOf(std::int64_t milliseconds) const {
  // Longer times (2^40 ms is 35 years) would overflow the product below.
  constexpr std::int64_t kLongestSeek = std::int64_t{1} << 40;
  const std::int64_t bytesPerSecond = std::int64_t{frequency_} * BytesPerSample();
  std::int64_t bytes = std::min(milliseconds, kLongestSeek) * bytesPerSecond / 1000;
  const std::int64_t perFrame = decodeStep_.PcmBytesPerFrame();
  const TPlayWindow& window = decodeStep_.PlayWindow();
  TSeekPoint point;
  std::int64_t frame;
  if (window.Trims()) {
    // To the sample: into the frame that holds it, played from there on.
    bytes -= bytes % BytesPerSample();
    point.playFrom = window.from + bytes;
    frame = point.playFrom / perFrame;
  } else {
    frame = (bytes + perFrame - 1) / perFrame;
    point.playFrom = frame * perFrame;
  }
  point.frame = static_cast<int>(std::min<std::int64_t>(frame, std::numeric_limits<int32_t>::max()));
  return point;
}

std::int64_t TMP3Player::PlayedBytesAt(std::int64_t playFrom) const {
  const TPlayWindow& window = decodeStep_.PlayWindow();
  return std::clamp(playFrom, window.from, window.until) - window.from;
}

int TMP3Player::LocateFrame(int target) {
  // The table knows the frames up to the furthest seek so far; beyond, its
  // frames are stepped over without decoding.
  const int known = seekTable_.Count();
  if (target < known) return target;
  reader_.Seek(seekTable_.At(known - 1), soBeginning);
  if (!frames_.NextFrame()) return known - 1;
  while (target >= seekTable_.Count()) {
    const std::int64_t frameStart = reader_.Position();
    if (!frames_.NextFrame()) return seekTable_.Count() - 1;
    seekTable_.Add(frameStart);
  }
  return target;
}

// --- equalizer

void TMP3Player::ApplyEqualizer() {
  // Under the decode lock, so that no frame is decoded with half-written tables.
  std::lock_guard decode(decodeLock_);
  ApplyEqualizerMapping(equalizer_, layer_, frequency_, engine_.equalizer);
}

// --- events

void TMP3Player::DoChangeStatus() {
  if (!destroying_ && onChangeStatus_) onChangeStatus_(*this);
}

void TMP3Player::DoChangePosition() {
  if (!destroying_ && onChangePosition_) onChangePosition_(*this);
}

void TMP3Player::DoEndPlay(TMP3Player& sender) {
  if (onEndPlay_) onEndPlay_(sender, endReason_);
  endReason_ = meprStopped;
}

// --- messages

void TMP3Player::HandleMessage(TMPMessage& message) {
  switch (message.Msg) {
    case MPM_CHANGEPOSITION:
      ProcessMessages();
      window_.RemoveQueued(MPM_CHANGEPOSITION);
      DoChangePosition();
      break;
    case MPM_THREADEXCEPTION: MPMThreadException(message); break;
    case MPM_ENDOFSTREAM: MPMEndOfStream(); break;
    case MPM_CHANGESTATUS:
      window_.RemoveQueued(MPM_CHANGESTATUS);
      DoChangeStatus();
      break;
    case MPM_ENDPLAY:
      window_.RemoveQueued(MPM_ENDPLAY);
      DoEndPlay(*this);
      break;
    case MPM_EQUALIZER:
      window_.RemoveQueued(MPM_EQUALIZER);
      if (Opened()) ApplyEqualizer();
      break;
    default: break;
  }
}

void TMP3Player::MPMThreadException(const TMPMessage& message) {
  // The worker waits for the event, so the exception is alive until it is signalled.
  const auto* error = reinterpret_cast<const std::exception*>(message.LParam);
  try {
    if (error != nullptr) ShowException(*error);
  } catch (...) {
    TMPEvent::SetEventByParam(message.WParam);
    throw;
  }
  TMPEvent::SetEventByParam(message.WParam);
  endReason_ = meprError;
  Stop();
}

void TMP3Player::MPMEndOfStream() {
  endReason_ = meprEndOfStream;
  if (Seekable())
    Stop();
  else
    Close();
}

void TMP3Player::PositionNotify() { window_.Post(MPM_CHANGEPOSITION); }

void TMP3Player::ThreadExceptionHandler(const std::exception& error, bool& handled) {
  TMPSimpleEvent shown;
  window_.Post(MPM_THREADEXCEPTION, shown.AsParam(), reinterpret_cast<intptr_t>(&error));
  // Without a main thread to show it (the player is going away) it is dropped.
  platform::WaitForAny({&shown.Handle(), &shuttingDown_}, platform::kWaitInfinite);
  handled = true;
}

}  // namespace orvana::player
