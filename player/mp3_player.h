#pragma once
// TMP3Player: the player component. It opens an MPEG audio file or stream,
// reads its tags and VBR header, decodes it frame by frame on a thread of
// its own into a TSoundOut, seeks, and reports position and length.
//
// Everything the host sees happens on the host's (main) thread: operations
// are called there, and OnChangeStatus, OnChangePosition and OnEndPlay fire
// there, only when the host pumps Messages() (see TMainThreadQueue). The
// host's exception display (host_hooks.h) shows exceptions of the worker
// threads, after which play stops with meprError.
//
// Songs follow each other without a gap: the host queues the next song
// (QueueNext) while one plays; the decode thread goes on into it as the
// first song's data ends, and OnChangeSong fires once it is heard, when
// every property has come to describe it.
//
// The engine holds the state of the stream being decoded: players that
// share one (the process-wide engine by default) must not play at once.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "engine/cpu_features.h"
#include "engine/engine_state.h"
#include "platform/event.h"
#include "player/decode_step.h"
#include "player/equalizer_mapping.h"
#include "player/replay_gain.h"
#include "player/frame_stream.h"
#include "player/loop_thread.h"
#include "player/main_thread_queue.h"
#include "player/mp3_info.h"
#include "player/mp3_player_types.h"
#include "player/mutex.h"
#include "player/network/stream_opener.h"
#include "player/sound_out.h"
#include "player/stream.h"
#include "player/track.h"
#include "player/watch_event_target.h"

namespace orvana::player {

class TMP3Player {
 public:
  using TNotifyEvent = std::function<void(TMP3Player& sender)>;
  using TMP3EndPlayEvent = std::function<void(TMP3Player& sender, TMP3EndPlayReason reason)>;

  static constexpr int kReaderCapacity = TMPTrack::kReaderCapacity;
  static constexpr const char* kUnknownFormat = TMPTrack::kUnknownFormat;

  explicit TMP3Player(engine::EngineState& engine = engine::GlobalEngineState());
  virtual ~TMP3Player();
  TMP3Player(const TMP3Player&) = delete;
  TMP3Player& operator=(const TMP3Player&) = delete;

  // Stored settings are applied between BeginLoad and Loaded: while
  // loading, FileName and AutoOpen do not open, and Volume 0 means "the
  // device's volume". Loaded then sets the band range (frequency mode) and
  // opens FileName if AutoOpen is set.
  void BeginLoad() { loading_ = true; }
  void Loaded();
  bool Loading() const { return loading_; }

  // Properties, each with its rule for assignments.
  bool AutoOpen() const { return autoOpen_; }
  void SetAutoOpen(bool value);
  bool AutoPlay() const { return autoPlay_; }
  void SetAutoPlay(bool value);
  int ChangePosStep() const { return changePosStep_; }
  void SetChangePosStep(int milliseconds);  // below 100 ignored
  // OnChangePosition every ChangePosStep while playing, for a host that
  // shows the position; off, the threads sleep until a buffer comes back
  // (a window hidden in the tray). Turned on, an event follows at once.
  bool PositionEvents() const { return positionEvents_; }
  void SetPositionEvents(bool on);
  TThreadPriority DecodePriority() const { return decodePriority_; }
  void SetDecodePriority(TThreadPriority priority);
  bool EqualizerEnabled() const { return equalizer_.enabled; }
  void SetEqualizerEnabled(bool value);
  int EqualizerCount() const { return equalizer_.count; }
  void SetEqualizerCount(int count);  // 1..32
  TMP3EqualizerMode EqualizerMode() const { return equalizer_.mode; }
  void SetEqualizerMode(TMP3EqualizerMode mode);
  // Band levels in hundredths of a decade (100: gain 10), bands 0..31.
  int EqualizerGain(int band) const;
  void SetEqualizerGain(int band, int level);
  int EqualizerFrequency(int band) const;
  // A level (same unit) added to every band while the equalizer is on.
  int EqualizerPreamp() const { return equalizer_.preamp; }
  void SetEqualizerPreamp(int level);
  // Loudness levelling by each song's ReplayGain (off at first).
  const TReplayGainSettings& ReplayGain() const { return replayGain_; }
  void SetReplayGain(const TReplayGainSettings& settings);
  const std::string& FileName() const { return fileName_; }
  void SetFileName(const std::string& name);
  TMP3InfoType NeedInfoType() const { return needInfoType_; }
  void SetNeedInfoType(TMP3InfoType types);
  bool NoisySeek() const { return noisySeek_; }
  void SetNoisySeek(bool value) { noisySeek_ = value; }
  bool InvertPolarity();
  void SetInvertPolarity(bool value);
  engine::TMP3CpuCapabilities UsingCpuCapabilities() const { return usingCpuCapabilities_; }
  // Keeps only what this processor has.
  void SetUsingCpuCapabilities(engine::TMP3CpuCapabilities capabilities);
  int VolBalance() const { return volBalance_; }
  void SetVolBalance(int balance);  // -100..100
  int Volume() const { return volume_; }
  void SetVolume(int volume);  // 0..100
  // Empty: play on the device; otherwise write this WAV file, as fast as
  // decoding goes. Cleared by Stop. Both act only while stopped.
  const std::string& WaveFileName() const { return waveFileName_; }
  void SetWaveFileName(const std::string& name);
  int DeviceID() const { return deviceId_; }
  void SetDeviceID(int deviceId);

  void SetOnChangePosition(TNotifyEvent handler) { onChangePosition_ = std::move(handler); }
  void SetOnChangeStatus(TNotifyEvent handler) { onChangeStatus_ = std::move(handler); }
  void SetOnEndPlay(TMP3EndPlayEvent handler) { onEndPlay_ = std::move(handler); }
  void SetOnChangeSong(TNotifyEvent handler) { onChangeSong_ = std::move(handler); }
  // A network stream's station info, title or buffering has changed.
  void SetOnChangeStreamInfo(TNotifyEvent handler) { onChangeStreamInfo_ = std::move(handler); }

  // Operations.
  // A FileName that is a network address (http://, https://) connects on a
  // thread of its own: Open returns at once, with the player opened and
  // connecting; OnChangeStatus follows when the stream is open (and plays
  // when Play was called meanwhile), or the failure is shown once and play
  // ends with meprError. Stop cancels at once.
  void Open();
  // With msoOwnsStream the player deletes `stream` when it closes it (and
  // when opening fails). A null stream leaves the player closed.
  void OpenStream(TStream* stream, TMP3StreamOptions options);
  void Close();
  void Play();
  void Pause();
  void Resume();
  void Stop();
  void Seek(std::int64_t milliseconds);
  // Frequency mode only: band frequencies from `low` to `high` Hz, spaced geometrically.
  void SetBandRange(int low, int high);

  // Opens `fileName` as the song that follows the open one, in place of one
  // queued before; raises as Open does, leaving nothing queued then. A song
  // that cannot follow without a gap (a stream that cannot be positioned,
  // or another format while writing a WAV file) is not queued: it plays the
  // ordinary way once this one has ended. Stop, Close and every open drop it.
  void QueueNext(const std::string& fileName);
  // False when the queued song is already being written to a WAV file,
  // which cannot take it back: it stays.
  bool ClearNext();
  // The file of the queued song; empty when none is.
  std::string NextFileName() const;

  // Read-only values, of the song that is heard.
  bool Opened() const { return current_ != nullptr || opener_ != nullptr; }
  // A network stream is open, or connecting.
  bool NetworkStream() const { return opener_ != nullptr || liveStream_ != nullptr; }
  bool Connecting() const { return opener_ != nullptr; }
  // The stream has run dry while playing: the sound waits for the network.
  bool Buffering();
  TStationInfo Station() const;
  // The station's latest StreamTitle; empty before one, or for a file.
  std::string StreamTitle() const;
  TMP3Status Status() const { return status_; }
  TMP3PlayerCapabilities Capabilities() const;
  int Layer() const { return current_ ? current_->Layer() : 0; }
  // 1 MPEG-1, 2 MPEG-2, 3 MPEG-2.5.
  int Version() const { return current_ ? current_->Version() : 0; }
  int Frequency() const { return current_ ? current_->Frequency() : 0; }
  int Bitrate() const { return current_ ? current_->Bitrate() : 0; }
  int Channels() const { return current_ ? current_->Channels() : 0; }
  TReplayGainValues ReplayGainValues() const { return current_ ? current_->ReplayGain() : TReplayGainValues{}; }
  std::int64_t Position();
  std::int64_t Length() const;
  std::string Title() const;
  std::string Artist() const { return Info().Artist(); }
  std::string Album() const { return Info().Album(); }
  std::string Comment() const { return Info().Comment(); }
  std::string Genre() const { return Info().Genre(); }
  std::string KnownGenre() const { return Info().KnownGenre(); }
  std::string Track() const { return Info().Track(); }
  std::string Year() const { return Info().Year(); }
  const TMP3Info& Info() const { return current_ ? current_->info : closedInfo_; }

  // The queue the host's event loop pumps.
  TMainThreadQueue& Messages() { return window_; }

 protected:
  virtual void DoChangeStatus();
  virtual void DoChangePosition();
  virtual void DoEndPlay(TMP3Player& sender);
  virtual void DoChangeSong();
  virtual void DoChangeStreamInfo();

 private:
  void OpenStreamNamed(TStream* stream, TMP3StreamOptions options, const std::string& name);
  std::unique_ptr<TMPTrack> OpenTrack(TStream* stream, TMP3StreamOptions options, const std::string& name);
  void ApplyEqualizer();
  // The same with the decode lock held: also before play starts, so that no
  // frame is decoded with the tables of the song before.
  void MapEngineTables();
  void SetStatus(TMP3Status status);
  // Takes `track` as the song heard, the engine and the output set up for it.
  void InstallTrack(std::unique_ptr<TMPTrack> track);
  // The output opened and the decode thread woken: the sound starts.
  void StartOutput();
  void OpenNetworkStream(const std::string& url);
  // Stop of a stream still connecting: cancelled, the player closed.
  void CancelConnecting();
  bool Seekable() const { return current_ && current_->Seekable(); }
  // With both locks held: the song heard plays from `milliseconds`;
  // decoding comes back to it if it had gone on into the next song.
  void SeekHeardSong(std::int64_t milliseconds);
  // Where a seek to a time lands: the frame to read from, and the PCM byte of
  // the decoded stream from which play resumes.
  struct TSeekPoint {
    int frame = 0;
    std::int64_t playFrom = 0;
  };
  TSeekPoint SeekPointOf(std::int64_t milliseconds) const;
  // Bytes played before `playFrom`: of the music alone, when it is trimmed.
  std::int64_t PlayedBytesAt(std::int64_t playFrom) const;
  int LocateFrame(TMPTrack& track, int target);
  // Decodes again, from a moment ahead of what is heard, the sound sent on
  // but not yet heard, so that a change of the engine's tables is heard at
  // once (decode lock held).
  void ReviseUnheard();

  // Main thread: the hidden window's procedure.
  void HandleMessage(TMPMessage& message);
  void MPMThreadException(const TMPMessage& message);
  void MPMEndOfStream();
  void MPMNextSong();
  void MPMStreamOpened(std::uintptr_t serial);
  void MPMStreamInfo();
  // The output's mark is heard: the next song, or a station's next title.
  void MPMMarkReached();
  void StationTitleHeard();
  // Worker threads.
  void PositionNotify();
  void ThreadExceptionHandler(const std::exception& error, bool& handled);

  engine::EngineState& engine_;
  platform::Event shuttingDown_;  // releases workers waiting for the main thread
  TMainThreadQueue window_;
  TMP3InfoType needInfoType_{mitID3V1, mitID3V2, mitRiff};
  TMP3Info closedInfo_;
  std::unique_ptr<TMPTrack> current_;  // the song that is heard
  std::unique_ptr<TMPTrack> next_;     // the one queued to follow it
  std::unique_ptr<TStreamOpener> opener_;  // a station being connected to
  THttpStream* liveStream_ = nullptr;      // current_'s stream, when a station
  std::uintptr_t openSerial_ = 0;          // tells a stale opener's notice
  std::string heardTitle_;                 // the station's title being heard
  std::string markedTitle_;                // heard once the output's mark is (decode lock)

  bool loading_ = false;
  bool destroying_ = false;
  bool autoOpen_ = true;
  bool autoPlay_ = true;
  std::string fileName_;
  int changePosStep_ = 400;
  bool positionEvents_ = true;
  int volBalance_ = 0;
  int volume_ = 100;
  TMP3Status status_ = msStopped;
  TNotifyEvent onChangeStatus_;
  TNotifyEvent onChangePosition_;
  TMP3EndPlayEvent onEndPlay_;
  TNotifyEvent onChangeSong_;
  TNotifyEvent onChangeStreamInfo_;
  TMP3EndPlayReason endReason_ = meprStopped;

  TSoundOut soundOut_;
  std::int64_t playedBytes_ = 0;
  std::int64_t position_ = 0;
  std::string waveFileName_;
  int deviceId_ = platform::kDefaultWaveDevice;
  TMPSimpleMutex outputLock_;
  mutable TMPSimpleMutex decodeLock_;
  engine::TMP3CpuCapabilities usingCpuCapabilities_ = engine::TMP3CpuCapabilities::All();
  TEqualizerSettings equalizer_;
  // What the engine's tables were last made from, for the decode thread to
  // remake them for a next song of another layer or rate.
  TEqualizerSettings engineEqualizer_;
  TReplayGainSettings replayGain_;
  TReplayGainSettings engineReplayGain_;  // as engineEqualizer_
  bool noisySeek_ = true;
  TThreadPriority decodePriority_ = tpNormal;
  TMPWatchEventTarget decodeTarget_;
  TMPLoopThread decodeThread_{&decodeTarget_};  // stopped first when the player goes
  TMPDecodeStep decodeStep_;
};

}  // namespace orvana::player
