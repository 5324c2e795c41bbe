#include "player/network/station_session.h"

#include <pthread.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <optional>

namespace orvana::player {
namespace {

using Clock = std::chrono::steady_clock;

// The most a ring may need to take from curl at once.
constexpr std::size_t kLeastRingBytes = CURL_MAX_WRITE_SIZE;
constexpr std::int64_t kLongestRetryPauseMs = 60'000;
// Once a connection has brought this much, receiving rests this long after
// each read: a station costs a few wake-ups a second, whatever its packets.
constexpr std::int64_t kRestAfterAudioBytes = 64 * 1024;
constexpr int kRestMs = 1000;

int MillisecondsUntil(Clock::time_point deadline) {
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return static_cast<int>(std::clamp<std::int64_t>(left, 0, INT_MAX));
}

std::string SecondsText(int milliseconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", milliseconds / 1000.0);
  return text;
}

}  // namespace

TStationSession::TStationSession(std::string url, const THttpStream::TOptions& options)
    : url_(std::move(url)),
      options_(options),
      multi_(Curl().loaded ? Curl().curl_multi_init() : nullptr),
      ring_(std::max<std::size_t>(static_cast<std::size_t>(std::max(options.bufferBytes, 0)), kLeastRingBytes),
            [multi = multi_.get()] {
              if (multi != nullptr) Curl().curl_multi_wakeup(multi);
            }) {}

TStationSession::~TStationSession() {
  Cancel();
  if (thread_.joinable()) thread_.join();
}

void TStationSession::Start() {
  if (thread_.joinable() || cancelled_) return;
  thread_ = std::thread([this] { Run(); });
}

// The state is set before the ring ends, so that a reader who sees the end
// finds the state that explains it.
void TStationSession::Cancel() {
  cancelled_ = true;
  if (status_.SetState(TNetStreamState::kEnded)) cancelEndedIt_ = true;
  ring_.Finish(TByteRing::TEnd::kDiscard);
  if (multi_) Curl().curl_multi_wakeup(multi_.get());
  {
    std::lock_guard guard(restLock_);
  }
  restEnds_.notify_all();
}

void TStationSession::Announce(bool changed) {
  if (changed && onChange_) onChange_();
}

void TStationSession::Fail(std::string sentence) {
  const bool changed = status_.Fail(std::move(sentence));
  ring_.Finish(TByteRing::TEnd::kDiscard);
  Announce(changed);
}

void TStationSession::Run() {
  pthread_setname_np(pthread_self(), kThreadName);
  if (!multi_) return Fail("The network library could not start.");
  int retriesUsed = 0;
  for (;;) {
    const TConnectionEnd end = Connect();
    if (cancelled_) break;
    if (!audioCame_) {
      // Nothing is tried again before the station has shown it plays.
      if (end.kind == TConnectionEnd::TKind::kFailed) return Fail(end.sentence);
      return Fail(end.kind == TConnectionEnd::TKind::kComplete
                      ? "The station sent no audio."
                      : "The station closed the connection before sending audio.");
    }
    if (end.kind == TConnectionEnd::TKind::kComplete && end.audioBytes > 0) {
      const bool changed = status_.SetState(TNetStreamState::kEnded);
      ring_.Finish(TByteRing::TEnd::kDrain);
      return Announce(changed);
    }
    if (end.lies) return Fail(end.sentence);
    if (end.audioBytes >= kSteadyAudioBytes) retriesUsed = 0;
    if (retriesUsed >= options_.retries) return Fail("The connection to the station was lost.");
    Announce(status_.SetState(TNetStreamState::kRetrying));
    const std::int64_t pause =
        std::min<std::int64_t>(std::int64_t{std::max(options_.firstRetryPauseMs, 0)} << std::min(retriesUsed, 20),
                               kLongestRetryPauseMs);
    ++retriesUsed;
    if (!PauseBeforeRetry(pause)) break;
  }
  if (cancelEndedIt_) Announce(true);
}

TConnectionEnd TStationSession::Connect() {
  TStationConnection connection(url_, {options_.connectTimeoutMs, options_.stallTimeoutMs}, ring_, *this);
  if (connection.Handle() == nullptr) return {.sentence = "The network library could not start a connection."};
  CURLM* multi = multi_.get();
  Curl().curl_multi_add_handle(multi, connection.Handle());
  const Clock::time_point firstDataDeadline = Clock::now() + std::chrono::milliseconds(options_.firstDataTimeoutMs);
  std::optional<CURLcode> result;
  bool timedOut = false;
  while (!cancelled_) {
    connection.ResumeIfRoom();
    const std::int64_t before = connection.AudioBytes();
    int running = 0;
    Curl().curl_multi_perform(multi, &running);
    int queued = 0;
    while (const CURLMsg* message = Curl().curl_multi_info_read(multi, &queued))
      if (message->msg == CURLMSG_DONE) result = message->data.result;
    if (result) break;
    if (connection.AudioBytes() > before && before >= kRestAfterAudioBytes && connection.BeginRest()) {
      Rest(kRestMs);
      connection.EndRest();
      continue;
    }
    // curl_multi_poll also wakes for curl's own timers (connecting, stalls).
    int waitMs = INT_MAX;
    if (connection.AudioBytes() == 0) {
      waitMs = MillisecondsUntil(firstDataDeadline);
      if (waitMs == 0) {
        timedOut = true;
        break;
      }
    }
    Curl().curl_multi_poll(multi, nullptr, 0, waitMs, nullptr);
  }
  Curl().curl_multi_remove_handle(multi, connection.Handle());
  if (timedOut)
    return {.sentence = "The station sent no audio within " + SecondsText(options_.firstDataTimeoutMs) + " seconds."};
  if (!result) return {};  // cancelled
  return connection.End(*result);
}

bool TStationSession::PauseBeforeRetry(std::int64_t milliseconds) { return Rest(milliseconds); }

bool TStationSession::Rest(std::int64_t milliseconds) {
  // Not in curl's poll, which watches a paused transfer's socket all the same.
  std::unique_lock guard(restLock_);
  return !restEnds_.wait_for(guard, std::chrono::milliseconds(milliseconds), [this] { return cancelled_.load(); });
}

void TStationSession::OnStation(const TStationInfo& station) { Announce(status_.SetStation(station)); }

void TStationSession::OnAudio(std::size_t bytes) {
  received_.fetch_add(static_cast<std::int64_t>(bytes), std::memory_order_relaxed);
  audioCame_ = true;
  Announce(status_.SetState(TNetStreamState::kReceiving));
}

void TStationSession::OnTitle(const std::string& title) {
  // The audio before the metadata block is the song before.
  Announce(status_.SetTitle(title, Received()));
}

}  // namespace orvana::player
