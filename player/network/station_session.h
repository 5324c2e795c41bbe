#pragma once
// TStationSession: the thread behind a THttpStream. It drives libcurl's
// multi interface, sleeping in curl_multi_poll until the network, a timer,
// room in the ring or Cancel wakes it; it connects, and once audio has come
// it connects again after a drop, with a pause that doubles each time.
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <cstdint>
#include <string>
#include <thread>

#include "player/network/byte_ring.h"
#include "player/network/curl_setup.h"
#include "player/network/http_stream.h"
#include "player/network/station_connection.h"
#include "player/network/station_status.h"

namespace orvana::player {

class TStationSession final : private TStationEvents {
 public:
  // A connection that brought this much audio was a success: the tries
  // begin anew after it.
  static constexpr std::int64_t kSteadyAudioBytes = 64 * 1024;
  // The thread's name, as tools (top -H, /proc) show it.
  static constexpr const char* kThreadName = "http-stream";

  TStationSession(std::string url, const THttpStream::TOptions& options);
  ~TStationSession();  // cancels and waits for the thread
  TStationSession(const TStationSession&) = delete;
  TStationSession& operator=(const TStationSession&) = delete;

  void SetOnChange(THttpStream::TOnChange onChange) { onChange_ = std::move(onChange); }
  void Start();
  void Cancel();

  TByteRing& Ring() { return ring_; }
  const TStationStatus& Status() const { return status_; }
  TStationStatus& Status() { return status_; }
  std::int64_t Received() const { return received_.load(std::memory_order_relaxed); }

 private:
  void Run();
  TConnectionEnd Connect();
  // Sleeps `milliseconds` unless cancelled first; false then.
  bool PauseBeforeRetry(std::int64_t milliseconds);
  // Sleeps `milliseconds` with receiving paused, unless cancelled first; false then.
  bool Rest(std::int64_t milliseconds);
  void Fail(std::string sentence);
  void Announce(bool changed);

  void OnStation(const TStationInfo& station) override;
  void OnAudio(std::size_t bytes) override;
  void OnTitle(const std::string& title) override;

  const std::string url_;
  const THttpStream::TOptions options_;
  TCurlMulti multi_;
  TByteRing ring_;
  TStationStatus status_;
  THttpStream::TOnChange onChange_;
  std::atomic<bool> cancelled_{false};
  std::mutex restLock_;
  std::condition_variable restEnds_;  // by Cancel
  std::atomic<bool> cancelEndedIt_{false};  // Cancel set kEnded: the thread announces it
  std::atomic<std::int64_t> received_{0};
  bool audioCame_ = false;  // on the thread: some connection brought audio
  std::thread thread_;
};

}  // namespace orvana::player
