#include "player/mp3_player.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <mutex>
#include <stdexcept>

#include "player/assertion.h"
#include "player/file_stream.h"
#include "player/host_hooks.h"
#include "player/network/network_address.h"
#include "player/player_messages.h"
#include "player/song_gain.h"

namespace orvana::player {
TMP3Player::TMP3Player(engine::EngineState& engine)
    : engine_(engine),
      window_([this](TMPMessage& message) { HandleMessage(message); }),
      decodeStep_({engine_, soundOut_, decodeLock_, outputLock_, decodeThread_.WakeEvent()},
                  {[this] { window_.Post(MPM_ENDOFSTREAM); },
                   [this](TMPTrack& next) {
                     // The engine's tables must fit the song decoded from here on.
                     ApplyEqualizerMapping(engineEqualizer_, next.Layer(), next.Frequency(), engine_.equalizer,
                                           SongGain(next, engineReplayGain_));
                   },
                   [this] { window_.Post(MPM_NEXTSONG); },
                   [this](const std::string& title) { markedTitle_ = title; }}) {
  soundOut_.SetPositionInterval(changePosStep_);
  soundOut_.SetOnException(
      [this](TSoundOut&, const std::exception& error, bool& handled) { ThreadExceptionHandler(error, handled); });
  soundOut_.SetOnPosition([this](TSoundOut&) { PositionNotify(); });
  soundOut_.SetOnMark([this](TSoundOut&) { window_.Post(MPM_NEXTSONG); });
  decodeTarget_.SetHandler([this] { decodeStep_.Run(); });
  decodeThread_.SetOnException(
      [this](TMPLoopThread&, const std::exception& error, bool& handled) { ThreadExceptionHandler(error, handled); });
  decodeThread_.SetName("orvana-decode");
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
  soundOut_.SetOnMark(nullptr);
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
  if (!positionEvents_) return;
  std::lock_guard output(outputLock_);
  soundOut_.SetPositionInterval(milliseconds);
}

void TMP3Player::SetPositionEvents(bool on) {
  if (on == positionEvents_) return;
  positionEvents_ = on;
  {
    std::lock_guard output(outputLock_);
    soundOut_.SetPositionInterval(on ? changePosStep_ : -1);
  }
  if (on) window_.PostOnce(MPM_CHANGEPOSITION);
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

void TMP3Player::SetEqualizerPreamp(int level) {
  if (level == equalizer_.preamp) return;
  equalizer_.preamp = level;
  window_.PostOnce(MPM_EQUALIZER);
}

void TMP3Player::SetReplayGain(const TReplayGainSettings& settings) {
  if (settings == replayGain_) return;
  replayGain_ = settings;
  window_.PostOnce(MPM_EQUALIZER);
}

int TMP3Player::EqualizerFrequency(int band) const {
  return band >= 0 && band < kEqualizerBands ? equalizer_.frequencies[band] : 0;
}

void TMP3Player::SetBandRange(int low, int high) {
  if (equalizer_.mode != memFreq) return;
  if (SetGeometricBands(equalizer_.frequencies, equalizer_.count, low, high)) window_.PostOnce(MPM_EQUALIZER);
}

void TMP3Player::SetNeedInfoType(TMP3InfoType types) {
  needInfoType_ = types;
  closedInfo_.SetNeedInfoType(types);
  if (current_) current_->info.SetNeedInfoType(types);
  if (next_) next_->info.SetNeedInfoType(types);
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
      // A station still connecting has no output to pause.
      if (toDevice && !Connecting()) capabilities.Include(mpcPause);
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
  if (NetworkStream()) {
    // What the station plays, else the station, else its address.
    std::string title = StreamTitle();
    if (title.empty()) title = Station().name;
    return title.empty() ? fileName_ : title;
  }
  std::string title = Info().Title();
  if (!title.empty()) return title;
  const std::size_t slash = fileName_.find_last_of('/');
  return slash == std::string::npos ? fileName_ : fileName_.substr(slash + 1);
}

std::int64_t TMP3Player::Position() {
  std::lock_guard output(outputLock_);
  if (soundOut_.IsOpen()) {
    playedBytes_ += soundOut_.GetDoneBytes();
    // Of the song heard, whose format the output may not have taken yet.
    const std::int64_t bytesPerSecond = current_ ? std::int64_t{current_->Frequency()} * current_->BytesPerSample() : 0;
    if (bytesPerSecond > 0) position_ = playedBytes_ * 1000 / bytesPerSecond;
  }
  return position_;
}

std::int64_t TMP3Player::Length() const {
  // The decode thread moves the end of the data when it finds it early.
  std::lock_guard decode(decodeLock_);
  if (!current_) return 0;
  const TMPTrack& track = *current_;
  if (track.Frequency() > 0 && track.HeaderTotal() > 0)
    return track.HeaderTotal() * 1000 / (std::int64_t{track.Frequency()} * track.BytesPerSample());
  if (track.Bitrate() > 0 && track.frames.DataSizeKnown()) return track.frames.DataSize() * 8 * 1000 / track.Bitrate();
  return 0;
}

// --- opening and closing

void TMP3Player::Open() {
  if (fileName_.empty()) {
    Close();
    return;
  }
  if (IsNetworkAddress(fileName_)) {
    OpenNetworkStream(std::string(fileName_));
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
    InstallTrack(OpenTrack(stream, options, name));
    fileName_ = name;  // Close forgot it; the file being opened keeps it
    SetStatus(msStopped);
  }
  if (autoPlay_) Play();
}

void TMP3Player::InstallTrack(std::unique_ptr<TMPTrack> track) {
  {
    std::lock_guard decode(decodeLock_);
    if (!decodeStep_.InitDecoder(track->FirstHeader(), track->FirstLength())) throw std::runtime_error(kUnknownFormat);
    current_ = std::move(track);
    decodeStep_.AllocateBuffer();
    decodeStep_.SetTrack(current_.get());
    decodeStep_.SetTrackStartInOutput(0);
    std::lock_guard output(outputLock_);
    soundOut_.SetFrequency(current_->Frequency());
    soundOut_.SetBitsPerSample(16);
    soundOut_.SetChannels(current_->Channels());
  }
  playedBytes_ = position_ = 0;
  window_.PostOnce(MPM_EQUALIZER);
}

std::unique_ptr<TMPTrack> TMP3Player::OpenTrack(TStream* stream, TMP3StreamOptions options, const std::string& name) {
  auto track = std::make_unique<TMPTrack>(needInfoType_);
  // The stream is the track's from here: freed with it when owned, whatever happens.
  track->Open(stream, options, name);
  return track;
}

void TMP3Player::Close() {
  if (!Opened()) return;
  if (Connecting()) {
    CancelConnecting();
    return;
  }
  if (status_ != msStopped) Stop();
  if (!Opened()) return;  // a stream that cannot be positioned closes when it stops
  std::unique_ptr<TMPTrack> closing;
  std::unique_ptr<TMPTrack> dropped;
  {
    std::lock_guard decode(decodeLock_);
    decodeStep_.FreeBuffer();
    closing = std::move(current_);
    dropped = std::move(next_);
    liveStream_ = nullptr;
    markedTitle_.clear();
  }
  heardTitle_.clear();
  fileName_.clear();
  playedBytes_ = position_ = 0;
  SetStatus(msStopped);
}

// --- the song that follows

void TMP3Player::QueueNext(const std::string& fileName) {
  // A station never follows gaplessly, nor is followed: its turn comes when the song before ends.
  if (!ClearNext() || !current_ || current_->Live() || fileName.empty() || IsNetworkAddress(fileName)) return;
  auto stream = std::make_unique<TMPFileStream>(fileName);
  // A next song may have to start over (a seek back into the song heard).
  if (!stream->CanSeek()) return;
  std::unique_ptr<TMPTrack> next = OpenTrack(stream.release(), msoOwnsStream | msoSeekable, fileName);
  // A WAV file keeps one format from its first sample to its last.
  if (!waveFileName_.empty() && !SameOutputFormat(*current_, *next)) return;
  std::lock_guard decode(decodeLock_);
  next_ = std::move(next);
  decodeStep_.SetNextTrack(next_.get());
}

bool TMP3Player::ClearNext() {
  if (!next_) return true;
  const std::int64_t heard = Position();
  std::unique_ptr<TMPTrack> dropped;
  {
    std::lock_guard decode(decodeLock_);
    if (decodeStep_.Track() == next_.get()) {
      // Already on its way to the output: the song heard plays on from where
      // it is heard instead. A WAV file cannot take back what it was given.
      if (!Capabilities().Has(mpcSeek)) return false;
      std::lock_guard output(outputLock_);
      SeekHeardSong(heard);
    }
    decodeStep_.SetNextTrack(nullptr);
    dropped = std::move(next_);
  }
  window_.PostOnce(MPM_CHANGEPOSITION);
  return true;
}

std::string TMP3Player::NextFileName() const { return next_ ? next_->FileName() : std::string(); }

void TMP3Player::MPMNextSong() {
  std::unique_ptr<TMPTrack> previous;
  {
    std::lock_guard decode(decodeLock_);
    // Stopped, seeked back or dropped since the notice was posted.
    if (!next_ || decodeStep_.Track() != next_.get()) return;
    previous = std::move(current_);
    current_ = std::move(next_);
    std::lock_guard output(outputLock_);
    // What has been played since the mark is the new song's.
    soundOut_.GetDoneBytes();
    playedBytes_ = std::max<std::int64_t>(0, soundOut_.DoneBytesSoFar() - decodeStep_.TrackStartInOutput());
  }
  previous.reset();
  fileName_ = current_->FileName();
  {
    std::lock_guard output(outputLock_);
    soundOut_.SetTitle(Title());
  }
  window_.PostOnce(MPM_EQUALIZER);
  DoChangeSong();
  window_.PostOnce(MPM_CHANGEPOSITION);
}

// --- playback

void TMP3Player::Play() {
  if (!Capabilities().Has(mpcPlay)) return;
  endReason_ = meprStopped;
  if (Connecting()) {
    // The sound starts once the stream is open.
    SetStatus(msPlaying);
    return;
  }
  StartOutput();
}

void TMP3Player::StartOutput() {
  {
    // Never a kernel the processor lacks, whatever the set holds.
    const engine::CpuFeatureFlags detected = engine::DetectCpu();
    const engine::CpuFeatureFlags wanted = engine::CapabilitiesToFlags(usingCpuCapabilities_) & detected;
    std::lock_guard decode(decodeLock_);
    engine_.SelectKernels((detected & ~engine::cpu::kSwitchableBits) | wanted);
    MapEngineTables();
  }
  {
    std::lock_guard output(outputLock_);
    soundOut_.SetOnPosition([this](TSoundOut&) { PositionNotify(); });
    soundOut_.SetWaveFileName(waveFileName_);
    soundOut_.SetDeviceID(deviceId_);
    soundOut_.SetTitle(Title());
    soundOut_.Open();
  }
  decodeThread_.WakeEvent().SetEvent();
  SetStatus(msPlaying);
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
  if (Connecting()) {
    CancelConnecting();
    return;
  }
  waveFileName_.clear();
  // Nothing waits on the network from here on.
  if (liveStream_ != nullptr) liveStream_->Cancel();
  std::unique_ptr<TMPTrack> dropped;
  {
    std::lock_guard decode(decodeLock_);
    // The stream's call would wake the decode thread after the stop.
    current_->CallWhenDataAtHand(0, nullptr);
    {
      std::lock_guard output(outputLock_);
      soundOut_.SetOnPosition(nullptr);
      soundOut_.Reset();
      soundOut_.Close();
      decodeThread_.WakeEvent().ResetEvent();
    }
    decodeStep_.SetNextTrack(nullptr);
    dropped = std::move(next_);
    decodeStep_.SetTrack(current_.get());
    decodeStep_.SetTrackStartInOutput(0);
    current_->Rewind();
    decodeStep_.DropPendingPcm();
    decodeStep_.RequestReinit();
  }
  playedBytes_ = position_ = 0;
  // Notices of the playback that ends here must not stop (or close) whatever
  // is played next, nor change to a song that was dropped.
  window_.RemoveQueued(MPM_ENDOFSTREAM);
  window_.RemoveQueued(MPM_NEXTSONG);
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
    SeekHeardSong(milliseconds);
  }
  window_.PostOnce(MPM_CHANGEPOSITION);
}

void TMP3Player::SeekHeardSong(std::int64_t milliseconds) {
  soundOut_.SetOnPosition(nullptr);
  const bool paused = status_ == msPaused;
  soundOut_.Reset();
  soundOut_.WaitAllDone();
  decodeStep_.DropPendingPcm();
  decodeStep_.SetTrackStartInOutput(0);
  if (decodeStep_.Track() != current_.get()) {
    // Decoding had gone on into the next song, which starts over when its turn comes.
    window_.RemoveQueued(MPM_NEXTSONG);
    next_->Rewind();
    decodeStep_.SetTrack(current_.get());
    decodeStep_.SetNextTrack(next_.get());
    decodeStep_.RequestReinit();
  }
  TMPTrack& track = *current_;
  track.frames.ClearPending();
  playedBytes_ = position_ = 0;
  // Without noise the engine forgets the old position's reservoir and overlap.
  if (!noisySeek_) decodeStep_.RequestReinit();
  {
    std::lock_guard table(track.seekTable);
    const TSeekPoint point = SeekPointOf(milliseconds);
    const int frame = LocateFrame(track, point.frame);
    const std::int64_t frameStart = std::int64_t{frame} * track.PcmBytesPerFrame();
    track.reader.Seek(track.seekTable.At(frame), soBeginning);
    // Short of the frame asked for (past the end) play resumes at the frame found.
    const std::int64_t playFrom = frame == point.frame ? point.playFrom : frameStart;
    track.ContinueAt(frameStart, playFrom);
    playedBytes_ = PlayedBytesAt(playFrom);
  }
  if (paused) soundOut_.Pause();
  soundOut_.SetOnPosition([this](TSoundOut&) { PositionNotify(); });
}

TMP3Player::TSeekPoint TMP3Player::SeekPointOf(std::int64_t milliseconds) const {
  // Longer times (2^40 ms is 35 years) would overflow the product below.
  constexpr std::int64_t kLongestSeek = std::int64_t{1} << 40;
  const TMPTrack& track = *current_;
  const std::int64_t bytesPerSecond = std::int64_t{track.Frequency()} * track.BytesPerSample();
  std::int64_t bytes = std::min(milliseconds, kLongestSeek) * bytesPerSecond / 1000;
  const std::int64_t perFrame = track.PcmBytesPerFrame();
  const TPlayWindow& window = track.PlayWindow();
  TSeekPoint point;
  std::int64_t frame;
  if (window.Trims()) {
    // To the sample: into the frame that holds it, played from there on.
    bytes -= bytes % track.BytesPerSample();
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
  const TPlayWindow& window = current_->PlayWindow();
  return std::clamp(playFrom, window.from, window.until) - window.from;
}

int TMP3Player::LocateFrame(TMPTrack& track, int target) {
  // The table knows the frames up to the furthest seek so far; beyond, its
  // frames are stepped over without decoding.
  const int known = track.seekTable.Count();
  if (target < known) return target;
  track.reader.Seek(track.seekTable.At(known - 1), soBeginning);
  if (!track.frames.NextFrame()) return known - 1;
  while (target >= track.seekTable.Count()) {
    const std::int64_t frameStart = track.reader.Position();
    if (!track.frames.NextFrame()) return track.seekTable.Count() - 1;
    track.seekTable.Add(frameStart);
  }
  return target;
}

// --- events

void TMP3Player::DoChangeStatus() {
  if (!destroying_ && onChangeStatus_) onChangeStatus_(*this);
}

void TMP3Player::DoChangePosition() {
  if (!destroying_ && onChangePosition_) onChangePosition_(*this);
}

void TMP3Player::DoChangeSong() {
  if (!destroying_ && onChangeSong_) onChangeSong_(*this);
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
    case MPM_NEXTSONG: MPMMarkReached(); break;
    case MPM_STREAMOPENED: MPMStreamOpened(static_cast<std::uintptr_t>(message.WParam)); break;
    case MPM_STREAMINFO:
      window_.RemoveQueued(MPM_STREAMINFO);
      MPMStreamInfo();
      break;
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
  if (liveStream_ != nullptr && liveStream_->State() == TNetStreamState::kFailed) {
    // A station that was lost has not ended: said once, and play ends as after an error.
    ShowException(std::runtime_error(liveStream_->Error()));
    endReason_ = meprError;
  }
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
