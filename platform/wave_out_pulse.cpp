// The PulseAudio back end (PipeWire's pipewire-pulse speaks the same
// protocol). The server holds the sound: every written block goes to it as
// soon as there is no reason to wait, so that pause, seek and stop act on the
// server's buffer (cork, flush) and nothing here needs to be woken to keep it
// fed. Blocks are handed back by the play position, which is the server's
// timing report interpolated by the clock: one timer on the connection's loop
// wakes when a block (or a batch of blocks) has been played, hands it back,
// sends what the caller wrote meanwhile and sets itself for the next one.
//
// The server gives a stream's sink a latency of about tlength - 2*minreq
// (when the stream does not ask it to adjust the latency): a long tlength
// with a minreq just under half of it keeps that latency short, so that a
// pause or a flush is heard at once even on a sink that cannot rewind, and
// the server asks for more data only every few seconds.
//
// Locking: everything below is guarded by the connection's loop lock, which
// the loop's callbacks hold and the caller's calls take (PulseLock).
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <memory>
#include <optional>
#include <string>

#include "platform/pulse_connection.h"
#include "platform/pulse_library.h"
#include "platform/pulse_play_clock.h"
#include "platform/queued_block_parts.h"
#include "platform/wave_out_backends.h"

namespace orvana::platform {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::microseconds;
using std::chrono::milliseconds;

// A stream the server does not make ready in this time is given up.
constexpr milliseconds kOpenLimit{2000};
// What the server is asked to hold (at most: PulseAudio and PipeWire both
// keep up to 4 MiB a stream) and the latency its sink is given.
constexpr pa_usec_t kTargetUsec = 10 * PA_USEC_PER_SEC;
constexpr uint32_t kServerQueueLimit = 4u * 1024 * 1024;
constexpr pa_usec_t kSinkLatencyUsec = 25 * PA_USEC_PER_MSEC;
// A block written while this much sound would still wait on the server at
// the loop's next wake-up is sent then, not now: sending from the caller's
// thread wakes the loop, sending from its own callbacks does not.
constexpr milliseconds kSendMargin{300};
// Played blocks are handed back together when the first of them is not
// kept more than this (short blocks: each costs a wake-up of the caller's
// threads); the last queued one always goes back on time.
constexpr milliseconds kHandBackBatch{450};
// The clock and the sink's may drift apart: the server's timing is asked
// again before handing back when the last report is older than this.
constexpr milliseconds kTimingRefresh{10000};
// A stream reported not playing while it has sound is asked again after
// this, then twice as long each time, up to a second.
constexpr milliseconds kRecheckFirst{40};
constexpr milliseconds kRecheckLongest{1000};
// What a stream that ran dry may keep back for good, and how long a rest may
// stay unread before it counts as played (PulseReadWatch).
constexpr milliseconds kHeldBackRest{50};
constexpr milliseconds kStallLimit{5000};
// Wakes a little after the due time rather than a little before it.
constexpr microseconds kTimerSlack{1000};
// Blocks of two seconds: the connection's loop then wakes for a block only
// every two seconds, and the caller's threads too; pause, seek and stop act
// on the server's buffer, so a longer queue costs only memory.
constexpr uint32_t kPreferredBlockMs = 2000;

bool IsLeft(pa_channel_position_t position) {
  return position == PA_CHANNEL_POSITION_FRONT_LEFT || position == PA_CHANNEL_POSITION_REAR_LEFT ||
         position == PA_CHANNEL_POSITION_FRONT_LEFT_OF_CENTER || position == PA_CHANNEL_POSITION_SIDE_LEFT ||
         position == PA_CHANNEL_POSITION_TOP_FRONT_LEFT || position == PA_CHANNEL_POSITION_TOP_REAR_LEFT;
}

bool IsRight(pa_channel_position_t position) {
  return position == PA_CHANNEL_POSITION_FRONT_RIGHT || position == PA_CHANNEL_POSITION_REAR_RIGHT ||
         position == PA_CHANNEL_POSITION_FRONT_RIGHT_OF_CENTER || position == PA_CHANNEL_POSITION_SIDE_RIGHT ||
         position == PA_CHANNEL_POSITION_TOP_FRONT_RIGHT || position == PA_CHANNEL_POSITION_TOP_REAR_RIGHT;
}

class PulseWaveStream final : public WaveOutStream {
 public:
  PulseWaveStream(std::shared_ptr<PulseConnection> connection, const WaveFormat& format, MessageQueue* notify)
      : connection_(std::move(connection)),
        loop_(connection_->Loop()),
        format_(format),
        notify_(notify),
        batchFrames_(FramesIn(kHandBackBatch)),
        marginFrames_(FramesIn(kSendMargin)),
        clock_(format.samplesPerSec) {}

  ~PulseWaveStream() override {
    PulseLock lock(loop_);
    DropStream();
  }

  // Makes the server's stream and waits until it is ready to play.
  MmResult Connect() {
    PulseLock lock(loop_);
    pa_sample_spec sampleSpec;
    sampleSpec.format = format_.bitsPerSample == 8 ? PA_SAMPLE_U8 : PA_SAMPLE_S16LE;
    sampleSpec.rate = format_.samplesPerSec;
    sampleSpec.channels = static_cast<uint8_t>(format_.channels);
    Pulse().pa_channel_map_init_extend(&map_, sampleSpec.channels, PA_CHANNEL_MAP_WAVEEX);
    pa_proplist* properties = Pulse().pa_proplist_new();
    Pulse().pa_proplist_sets(properties, PA_PROP_MEDIA_NAME, "Orvana");
    Pulse().pa_proplist_sets(properties, PA_PROP_MEDIA_ROLE, "music");
    stream_ = Pulse().pa_stream_new_with_proplist(connection_->Context(), "Orvana", &sampleSpec, &map_, properties);
    Pulse().pa_proplist_free(properties);
    if (stream_ == nullptr) return connection_->LastError();
    Pulse().pa_stream_set_state_callback(stream_, &PulseWaveStream::StateChanged, this);
    Pulse().pa_stream_set_write_callback(stream_, &PulseWaveStream::DataRequested, this);
    Pulse().pa_stream_set_started_callback(stream_, &PulseWaveStream::PlayChanged, this);
    Pulse().pa_stream_set_underflow_callback(stream_, &PulseWaveStream::PlayChanged, this);
    Pulse().pa_stream_set_moved_callback(stream_, &PulseWaveStream::PlayChanged, this);
    Pulse().pa_stream_set_suspended_callback(stream_, &PulseWaveStream::PlayChanged, this);

    const pa_buffer_attr attributes = BufferAttributes(sampleSpec);
    if (Pulse().pa_stream_connect_playback(stream_, nullptr, &attributes, PA_STREAM_NOFLAGS, nullptr, nullptr) < 0)
      return connection_->LastError();
    const bool settled = connection_->WaitFor(
        [this] {
          const pa_stream_state_t state = Pulse().pa_stream_get_state(stream_);
          return state == PA_STREAM_READY || !PA_STREAM_IS_GOOD(state);
        },
        kOpenLimit);
    if (!settled) return FromPulse(PA_ERR_TIMEOUT);
    if (Pulse().pa_stream_get_state(stream_) != PA_STREAM_READY) return connection_->LastError();
    const pa_buffer_attr* granted = Pulse().pa_stream_get_buffer_attr(stream_);
    const uint32_t limit = granted != nullptr ? granted->maxlength : kServerQueueLimit;
    maxHeldFrames_ = static_cast<int64_t>(limit / format_.blockAlign) * 9 / 10;
    tileFrames_ = std::max<int64_t>(
        1, static_cast<int64_t>(Pulse().pa_context_get_tile_size(connection_->Context(), &sampleSpec) / format_.blockAlign));
    return MMSYSERR_NOERROR;
  }

  MmResult Failure() override {
    PulseLock lock(loop_);
    return failed_ ? failure_ : MMSYSERR_NOERROR;
  }

  MmResult Prepare(WaveHeader& header) override {
    if (header.data == nullptr && header.bufferLength > 0) return MMSYSERR_INVALPARAM;
    header.flags.fetch_or(WHDR_PREPARED);
    return MMSYSERR_NOERROR;
  }

  MmResult Unprepare(WaveHeader& header) override {
    if (header.flags.load() & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
    header.flags.fetch_and(~WHDR_PREPARED);
    return MMSYSERR_NOERROR;
  }

  MmResult Write(WaveHeader& header) override {
    const uint32_t flags = header.flags.load();
    if (!(flags & WHDR_PREPARED)) return WAVERR_UNPREPARED;
    if (flags & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
    PulseLock lock(loop_);
    if (failed_) return failure_;
    header.flags.store((flags & ~WHDR_DONE) | WHDR_INQUEUE);
    const int64_t frames = header.bufferLength / format_.blockAlign;
    blocks_.push_back({&header, queuedEnd_, queuedEnd_ + frames});
    queuedEnd_ += frames;
    const Clock::time_point now = Clock::now();
    if (!SendCanWait()) SendPending(now);
    // A block with no whole frame, written when nothing plays, has nothing
    // to wait for.
    if (!timerArmed_ && blocks_.front().end <= Position(now)) HandBackPlayed(clock_.Last());
    return MMSYSERR_NOERROR;
  }

  MmResult Pause() override {
    PulseLock lock(loop_);
    if (paused_) return MMSYSERR_NOERROR;
    // Held from here on; what has been played goes back now, not after.
    const Clock::time_point now = Clock::now();
    HandBackPlayed(Position(now));
    clock_.Hold(now, sentEnd_);
    paused_ = true;
    if (failed_) return MMSYSERR_NOERROR;
    Unref(Pulse().pa_stream_cork(stream_, 1, nullptr, nullptr));
    DisarmTimer();
    return MMSYSERR_NOERROR;
  }

  MmResult Restart() override {
    PulseLock lock(loop_);
    if (!paused_) return MMSYSERR_NOERROR;
    paused_ = false;
    if (failed_) return MMSYSERR_NOERROR;
    // The position stays where it was until the server says where it is.
    Unref(Pulse().pa_stream_cork(stream_, 0, nullptr, nullptr));
    RequestTiming();
    return MMSYSERR_NOERROR;
  }

  MmResult Reset() override {
    PulseLock lock(loop_);
    if (!failed_) {
      CancelTimingRequests();
      Unref(Pulse().pa_stream_flush(stream_, nullptr, nullptr));
      if (paused_) Unref(Pulse().pa_stream_cork(stream_, 0, nullptr, nullptr));
      // Where new data goes on the server: its reply to this tells.
      baseKnown_ = false;
      RequestTiming();
      DisarmTimer();
    }
    HandBackAll();
    queuedEnd_ = sentEnd_ = writeIndex_ = 0;
    clock_.Restart();
    paused_ = false;
    recheckDue_.reset();
    recheckDelay_ = kRecheckFirst;
    readWatch_.Forget();
    return MMSYSERR_NOERROR;
  }

  MmResult GetPositionBytes(uint64_t& bytes) override {
    PulseLock lock(loop_);
    bytes = static_cast<uint64_t>(Position(Clock::now())) * format_.blockAlign;
    return MMSYSERR_NOERROR;
  }

  MmResult SetVolume(uint32_t leftRight) override {
    PulseLock lock(loop_);
    volume_ = leftRight;
    if (failed_ || stream_ == nullptr) return MMSYSERR_NOERROR;
    const pa_volume_t left = Pulse().pa_sw_volume_from_linear((leftRight & 0xFFFF) / 65535.0);
    const pa_volume_t right = Pulse().pa_sw_volume_from_linear((leftRight >> 16) / 65535.0);
    pa_cvolume volume;
    Pulse().pa_cvolume_init(&volume);
    volume.channels = map_.channels;
    for (int i = 0; i < map_.channels; ++i) {
      const pa_channel_position_t position = map_.map[i];
      if (IsRight(position))
        volume.values[i] = right;
      else if (IsLeft(position) || map_.channels == 1)
        volume.values[i] = left;
      else
        volume.values[i] = static_cast<pa_volume_t>((uint64_t{left} + right) / 2);
    }
    Unref(Pulse().pa_context_set_sink_input_volume(connection_->Context(), Pulse().pa_stream_get_index(stream_), &volume, nullptr,
                                           nullptr));
    return MMSYSERR_NOERROR;
  }

  MmResult GetVolume(uint32_t& leftRight) override {
    PulseLock lock(loop_);
    leftRight = volume_;
    return MMSYSERR_NOERROR;
  }

  MmResult Close() override {
    PulseLock lock(loop_);
    if (!blocks_.empty()) return WAVERR_STILLPLAYING;
    DropStream();
    return MMSYSERR_NOERROR;
  }

  void SetTitle(const std::string& title) override {
    PulseLock lock(loop_);
    if (failed_ || stream_ == nullptr) return;
    char* valid = Pulse().pa_utf8_filter(title.empty() ? "Orvana" : title.c_str());
    pa_proplist* properties = Pulse().pa_proplist_new();
    Pulse().pa_proplist_sets(properties, PA_PROP_MEDIA_TITLE, valid);
    Pulse().pa_proplist_sets(properties, PA_PROP_MEDIA_NAME, valid);
    Pulse().pa_xfree(valid);
    Unref(Pulse().pa_stream_proplist_update(stream_, PA_UPDATE_REPLACE, properties, nullptr, nullptr));
    Pulse().pa_proplist_free(properties);
  }

  uint32_t PreferredBlockMs() const override { return kPreferredBlockMs; }

  MmResult Rewrite(uint64_t fromByte, const uint8_t* data, uint32_t length) override {
    PulseLock lock(loop_);
    if (failed_) return failure_;
    const int64_t from = static_cast<int64_t>(fromByte / format_.blockAlign);
    const int64_t frames = length / format_.blockAlign;
    ForEachQueuedPart(blocks_, FramesOf, from, frames, format_.blockAlign,
                      [&](uint8_t* bytes, int64_t offset, int64_t n) {
                        std::memcpy(bytes, data + offset * format_.blockAlign, static_cast<size_t>(n) * format_.blockAlign);
                      });
    // What the server holds already goes again over the old, where it has
    // not been played; the server's write index comes back to sentEnd_ as
    // the rest follows.
    const int64_t begin = std::max(from, Projected(Clock::now()));
    const int64_t end = std::min(from + frames, sentEnd_);
    if (stream_ == nullptr || begin >= end) return MMSYSERR_NOERROR;
    if (Pulse().pa_stream_write(stream_, data + (begin - from) * format_.blockAlign,
                        static_cast<size_t>(end - begin) * format_.blockAlign, nullptr, WriteOffset(begin),
                        PA_SEEK_RELATIVE) < 0) {
      Fail(connection_->LastError());
      return failure_;
    }
    writeIndex_ = end;
    return MMSYSERR_NOERROR;
  }

 private:
  struct Block {
    WaveHeader* header;
    int64_t start;  // frames since open or reset
    int64_t end;    // whole frames only: a trailing partial frame is not played
  };

  static BlockFrames FramesOf(const Block& block) { return {block.header->data, block.start, block.end}; }

  // The seek, relative to the server's write index, that writes at `frame`.
  int64_t WriteOffset(int64_t frame) const { return (frame - writeIndex_) * format_.blockAlign; }

  static void Unref(pa_operation* operation) {
    if (operation != nullptr) Pulse().pa_operation_unref(operation);
  }

  int64_t FramesIn(Clock::duration duration) const {
    return std::chrono::duration_cast<microseconds>(duration).count() * format_.samplesPerSec / 1'000'000;
  }

  pa_buffer_attr BufferAttributes(const pa_sample_spec& sampleSpec) const {
    const auto align = [&](uint64_t bytes) {
      return static_cast<uint32_t>(bytes / format_.blockAlign * format_.blockAlign);
    };
    pa_buffer_attr attributes;
    attributes.maxlength = static_cast<uint32_t>(-1);
    attributes.tlength =
        align(std::min<uint64_t>(Pulse().pa_usec_to_bytes(kTargetUsec, &sampleSpec), kServerQueueLimit - kServerQueueLimit / 8));
    const uint32_t sinkLatency = align(Pulse().pa_usec_to_bytes(kSinkLatencyUsec, &sampleSpec));
    attributes.minreq = align((attributes.tlength - sinkLatency) / 2);
    // Playing starts with the first frame: a short song must play too.
    attributes.prebuf = format_.blockAlign;
    attributes.fragsize = static_cast<uint32_t>(-1);
    return attributes;
  }

  // --- the play position, in frames since open or reset

  int64_t Projected(Clock::time_point when) const { return clock_.Projected(when, sentEnd_); }
  int64_t Position(Clock::time_point now) { return clock_.Position(now, sentEnd_); }

  // --- timing reports

  void RequestTiming() {
    if (pa_operation* operation = Pulse().pa_stream_update_timing_info(stream_, &PulseWaveStream::TimingReported, this))
      timingRequests_.push_back(operation);
  }

  void CancelTimingRequests() {
    for (pa_operation* operation : timingRequests_) {
      Pulse().pa_operation_cancel(operation);
      Pulse().pa_operation_unref(operation);
    }
    timingRequests_.clear();
  }

  static void TimingReported(pa_stream*, int success, void* self) {
    static_cast<PulseWaveStream*>(self)->OnTimingReport(success != 0);
  }

  void OnTimingReport(bool success) {
    // Replies come in the order asked; cancelled ones never come.
    if (!timingRequests_.empty()) {
      Pulse().pa_operation_unref(timingRequests_.front());
      timingRequests_.pop_front();
    }
    if (failed_) return;
    const Clock::time_point now = Clock::now();
    const pa_timing_info* info = success ? Pulse().pa_stream_get_timing_info(stream_) : nullptr;
    if (info == nullptr || info->read_index_corrupt || (!baseKnown_ && info->write_index_corrupt)) {
      Recheck(now);
      return;
    }
    const int64_t frameBytes = format_.blockAlign;
    if (!baseKnown_) {
      // The write index counts what was sent after the request too.
      base_ = info->write_index / frameBytes - writeIndex_;
      baseKnown_ = true;
    }
    lastTiming_ = now;
    if (paused_) return;  // the position holds until Restart asks again
    // The report is of the moment the server answered; the sink still
    // holds its latency's worth of what the server has read.
    const pa_usec_t age = Pulse().pa_timeval_age(&info->timestamp);
    const int64_t read = info->read_index / frameBytes - base_;
    const int64_t inSink = static_cast<int64_t>(info->sink_usec * format_.samplesPerSec / PA_USEC_PER_SEC);
    const int64_t limit = readWatch_.Limit(info->playing != 0, read, sentEnd_, now);
    clock_.Anchor(now - microseconds(std::min<pa_usec_t>(age, PA_USEC_PER_SEC)), read - inSink, limit);
    if (!info->playing && limit < sentEnd_) {
      Recheck(now);
    } else {
      recheckDue_.reset();
      recheckDelay_ = kRecheckFirst;
    }
    Service(now);
  }

  // Asks the server again a while later, each time later.
  void Recheck(Clock::time_point now) {
    recheckDue_ = now + recheckDelay_;
    recheckDelay_ = std::min<Clock::duration>(recheckDelay_ * 2, kRecheckLongest);
    ArmTimer(now);
  }

  // --- from the loop's callbacks

  static void StateChanged(pa_stream* stream, void* self) {
    auto* me = static_cast<PulseWaveStream*>(self);
    Pulse().pa_threaded_mainloop_signal(me->loop_, 0);
    const pa_stream_state_t state = Pulse().pa_stream_get_state(stream);
    if (state == PA_STREAM_FAILED || state == PA_STREAM_TERMINATED) me->Fail(me->connection_->LastError());
  }

  static void DataRequested(pa_stream*, size_t, void* self) {
    auto* me = static_cast<PulseWaveStream*>(self);
    if (me->sentEnd_ < me->queuedEnd_) me->SendPending(Clock::now());
  }

  // Started, ran dry, moved to another sink, suspended or resumed: the
  // position moves differently from now on.
  static void PlayChanged(pa_stream*, void* self) {
    auto* me = static_cast<PulseWaveStream*>(self);
    if (!me->failed_) me->RequestTiming();
  }

  static void TimerFired(pa_mainloop_api*, pa_time_event*, const struct timeval*, void* self) {
    static_cast<PulseWaveStream*>(self)->OnTimer();
  }

  void OnTimer() {
    timerArmed_ = false;
    if (failed_ || paused_) return;
    const Clock::time_point now = Clock::now();
    if (recheckDue_ && *recheckDue_ <= now) {
      recheckDue_.reset();
      SendPending(now);
      RequestTiming();
      return;
    }
    if (clock_.Playing() && now - lastTiming_ > kTimingRefresh) {
      // Hands back when the fresh report comes.
      SendPending(now);
      RequestTiming();
      return;
    }
    Service(now);
  }

  // Hands back what has been played, sends what waits and sets the timer.
  void Service(Clock::time_point now) {
    HandBackPlayed(Position(now));
    SendPending(now);
    ArmTimer(now);
  }

  // --- the timer

  void ArmTimer(Clock::time_point now) {
    std::optional<Clock::time_point> due = recheckDue_;
    const auto sooner = [&](Clock::time_point when) { due = due ? std::min(*due, when) : when; };
    if (clock_.Moving() && !blocks_.empty()) {
      // The first block to go back and those played within the batch after it.
      const int64_t first = blocks_.front().end;
      int64_t until = first;
      for (const Block& block : blocks_) {
        if (block.end > first + batchFrames_) break;
        until = block.end;
      }
      sooner(clock_.TimeOf(until));
      if (sentEnd_ < queuedEnd_) sooner(clock_.TimeOf(sentEnd_ - marginFrames_));
    }
    if (!due) {
      DisarmTimer();
      return;
    }
    const Clock::time_point when = std::max(*due, now) + kTimerSlack;
    if (timerArmed_ && when >= timerDue_ - kTimerSlack && when <= timerDue_ + kTimerSlack) return;
    const pa_usec_t at =
        Pulse().pa_rtclock_now() + static_cast<pa_usec_t>(std::chrono::duration_cast<microseconds>(when - now).count());
    if (timer_ == nullptr)
      timer_ = Pulse().pa_context_rttime_new(connection_->Context(), at, &PulseWaveStream::TimerFired, this);
    else
      Pulse().pa_context_rttime_restart(connection_->Context(), timer_, at);
    timerArmed_ = timer_ != nullptr;
    timerDue_ = when;
  }

  void DisarmTimer() {
    if (timer_ != nullptr && timerArmed_) Pulse().pa_context_rttime_restart(connection_->Context(), timer_, PA_USEC_INVALID);
    timerArmed_ = false;
  }

  // --- sending

  // Whether what waits can be sent at the timer's wake-up instead of now.
  bool SendCanWait() const {
    if (!clock_.Playing() || !timerArmed_) return false;
    return sentEnd_ - Projected(timerDue_) >= marginFrames_;
  }

  // Sends what waits, one tile at a time (the shared-memory blocks the data
  // travels in: the server tells when it is done with each, which wakes the
  // loop, so a tile is filled across the caller's blocks), in whole tiles
  // while the server holds enough, and everything when it runs short or does
  // not play yet.
  void SendPending(Clock::time_point now) {
    if (failed_ || stream_ == nullptr) return;
    const int64_t played = Projected(now);
    int64_t end = queuedEnd_;
    if (clock_.Playing() && sentEnd_ - played >= 2 * marginFrames_)
      end = sentEnd_ + (queuedEnd_ - sentEnd_) / tileFrames_ * tileFrames_;
    while (sentEnd_ < end) {
      const int64_t room = maxHeldFrames_ - (sentEnd_ - played);
      if (room <= 0) return;  // the server asks for more as it plays
      int64_t frames = std::min({tileFrames_, end - sentEnd_, room});
      void* tile = nullptr;
      size_t bytes = static_cast<size_t>(frames) * format_.blockAlign;
      if (Pulse().pa_stream_begin_write(stream_, &tile, &bytes) < 0 || tile == nullptr) {
        Fail(connection_->LastError());
        return;
      }
      frames = std::min<int64_t>(frames, static_cast<int64_t>(bytes / format_.blockAlign));
      CopyQueued(sentEnd_, frames, static_cast<uint8_t*>(tile));
      if (Pulse().pa_stream_write(stream_, tile, static_cast<size_t>(frames) * format_.blockAlign, nullptr,
                          WriteOffset(sentEnd_), PA_SEEK_RELATIVE) < 0) {
        Pulse().pa_stream_cancel_write(stream_);
        Fail(connection_->LastError());
        return;
      }
      sentEnd_ += frames;
      writeIndex_ = sentEnd_;
    }
  }

  // Copies `frames` frames of the queued blocks from `from` on.
  void CopyQueued(int64_t from, int64_t frames, uint8_t* out) const {
    ForEachQueuedPart(blocks_, FramesOf, from, frames, format_.blockAlign,
                      [&](const uint8_t* bytes, int64_t offset, int64_t n) {
                        std::memcpy(out + offset * format_.blockAlign, bytes, static_cast<size_t>(n) * format_.blockAlign);
                      });
  }

  // --- handing back

  void HandBackPlayed(int64_t played) {
    while (!blocks_.empty() && blocks_.front().end <= played) {
      WaveHeader& header = *blocks_.front().header;
      blocks_.pop_front();
      HandBack(header);
    }
  }

  void HandBackAll() { HandBackPlayed(PulsePlayClock::kUnlimited); }

  void HandBack(WaveHeader& header) {
    header.flags.store((header.flags.load() & ~WHDR_INQUEUE) | WHDR_DONE);
    if (notify_ != nullptr)
      notify_->Post(MM_WOM_DONE, reinterpret_cast<uintptr_t>(this), reinterpret_cast<intptr_t>(&header));
  }

  // The server is gone or dropped the stream: every block goes back at
  // once, and writing is refused with the reason from now on.
  void Fail(MmResult reason) {
    if (failed_) return;
    clock_.Hold(Clock::now(), sentEnd_);
    failed_ = true;
    failure_ = reason;
    DisarmTimer();
    CancelTimingRequests();
    HandBackAll();
  }

  void DropStream() {
    CancelTimingRequests();
    if (timer_ != nullptr) {
      connection_->Api()->time_free(timer_);
      timer_ = nullptr;
      timerArmed_ = false;
    }
    if (stream_ == nullptr) return;
    Pulse().pa_stream_set_state_callback(stream_, nullptr, nullptr);
    Pulse().pa_stream_set_write_callback(stream_, nullptr, nullptr);
    Pulse().pa_stream_set_started_callback(stream_, nullptr, nullptr);
    Pulse().pa_stream_set_underflow_callback(stream_, nullptr, nullptr);
    Pulse().pa_stream_set_moved_callback(stream_, nullptr, nullptr);
    Pulse().pa_stream_set_suspended_callback(stream_, nullptr, nullptr);
    if (PA_STREAM_IS_GOOD(Pulse().pa_stream_get_state(stream_))) Pulse().pa_stream_disconnect(stream_);
    Pulse().pa_stream_unref(stream_);
    stream_ = nullptr;
  }

  const std::shared_ptr<PulseConnection> connection_;
  pa_threaded_mainloop* const loop_;
  const WaveFormat format_;
  MessageQueue* const notify_;
  const int64_t batchFrames_;
  const int64_t marginFrames_;
  pa_channel_map map_{};
  pa_stream* stream_ = nullptr;
  int64_t maxHeldFrames_ = 0;
  int64_t tileFrames_ = 1;

  std::deque<Block> blocks_;  // written and not yet handed back
  int64_t queuedEnd_ = 0;     // where the last written block ends
  int64_t sentEnd_ = 0;       // what the server has been sent
  int64_t writeIndex_ = 0;    // where the server writes next: sentEnd_ but while rewriting

  // The server's stream index (in frames) of position 0.
  int64_t base_ = 0;
  PulseReadWatch readWatch_{FramesIn(kHeldBackRest), kStallLimit};
  bool baseKnown_ = true;
  PulsePlayClock clock_;
  Clock::time_point lastTiming_{};
  std::deque<pa_operation*> timingRequests_;
  std::optional<Clock::time_point> recheckDue_;
  Clock::duration recheckDelay_ = kRecheckFirst;

  pa_time_event* timer_ = nullptr;
  bool timerArmed_ = false;
  Clock::time_point timerDue_{};

  bool paused_ = false;
  bool failed_ = false;
  MmResult failure_ = MMSYSERR_NOERROR;
  uint32_t volume_ = 0xFFFFFFFFu;
};

}  // namespace

MmResult OpenPulseWaveOut(const WaveFormat& format, MessageQueue* notify, std::unique_ptr<WaveOutStream>& stream) {
  MmResult result = MMSYSERR_NOERROR;
  // A server that has just gone away may not have been noticed yet: the
  // stream then fails with the connection, and a new one is tried once.
  for (int attempt = 0; attempt < 2; ++attempt) {
    std::shared_ptr<PulseConnection> connection;
    if ((result = PulseConnection::Acquire(connection)) != MMSYSERR_NOERROR) return result;
    auto opened = std::make_unique<PulseWaveStream>(connection, format, notify);
    if ((result = opened->Connect()) == MMSYSERR_NOERROR) {
      stream = std::move(opened);
      return MMSYSERR_NOERROR;
    }
    opened.reset();
    PulseLock lock(connection->Loop());
    if (connection->Ready()) return result;
  }
  return result;
}

bool IsNoPulseServer(MmResult code) {
  if (code <= kPulseErrorBase) return false;
  switch (static_cast<int>(code - kPulseErrorBase)) {
    case PA_ERR_CONNECTIONREFUSED:
    case PA_ERR_TIMEOUT:
    case PA_ERR_INVALIDSERVER:
    case PA_ERR_CONNECTIONTERMINATED:
    case PA_ERR_ACCESS:
    case PA_ERR_AUTHKEY:
    case PA_ERR_VERSION:
    case PA_ERR_PROTOCOL: return true;
    default: return false;
  }
}

std::string PulseErrorText(int pulseError) {
  const char* text = Pulse().loaded ? Pulse().pa_strerror(std::abs(pulseError)) : nullptr;
  return std::string("PulseAudio: ") + (text != nullptr ? text : "Unknown error code");
}

}  // namespace orvana::platform
