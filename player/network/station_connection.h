#pragma once
// TStationConnection: one connection to a station, from the request to its
// end: libcurl's easy handle with its callbacks. Header lines are judged as
// they come; the body is split into audio, which goes into the ring, and
// metadata. When the ring has no room the transfer pauses, to be resumed
// (ResumeIfRoom) on the thread that drives it once the ring says so.
#include <curl/curl.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "player/network/byte_ring.h"
#include "player/network/curl_setup.h"
#include "player/network/icy_demuxer.h"
#include "player/network/response_headers.h"
#include "player/network/station_info.h"

namespace orvana::player {

// What a connection tells the stream while it runs; called on its thread.
class TStationEvents {
 public:
  virtual void OnStation(const TStationInfo& station) = 0;  // a playable answer
  virtual void OnAudio(std::size_t bytes) = 0;              // added to the ring
  virtual void OnTitle(const std::string& title) = 0;

 protected:
  ~TStationEvents() = default;
};

struct TConnectionEnd {
  enum class TKind : std::uint8_t {
    kComplete,  // all of a stated Content-Length arrived
    kClosed,    // the server ended the answer of unknown length
    kFailed,    // `sentence` says why
  };
  TKind kind = TKind::kFailed;
  std::string sentence;
  bool lies = false;  // the server says what cannot be: pointless to try again
  std::int64_t audioBytes = 0;
};

class TStationConnection {
 public:
  struct TLimits {
    int connectTimeoutMs;
    int stallTimeoutMs;  // at less than kSlowestBytesPerSecond this long, it has stalled
  };
  // Below this a connection carries no playable MPEG audio (8 kbit/s is the least).
  static constexpr long kSlowestBytesPerSecond = 256;
  // An answer's headers (all of a redirect chain's) never take more.
  static constexpr std::size_t kMaxHeaderBytes = 64 * 1024;

  TStationConnection(const std::string& url, TLimits limits, TByteRing& ring, TStationEvents& events);
  ~TStationConnection();
  TStationConnection(const TStationConnection&) = delete;
  TStationConnection& operator=(const TStationConnection&) = delete;

  // nullptr when libcurl could not make one.
  CURL* Handle() const { return easy_.get(); }
  std::int64_t AudioBytes() const { return audioBytes_; }
  void ResumeIfRoom();
  // Receiving rests a while, what comes meanwhile waiting in the system's
  // socket buffer: a station is then read a few times a second, not at each
  // packet. False (and no rest) while paused for room in the ring.
  bool BeginRest();
  void EndRest();
  // How it ended, from libcurl's result.
  TConnectionEnd End(CURLcode result) const;

 private:
  static std::size_t HeaderCallback(char* data, std::size_t size, std::size_t count, void* self);
  static std::size_t BodyCallback(char* data, std::size_t size, std::size_t count, void* self);
  std::size_t TakeHeaderLine(std::string_view line);
  std::size_t TakeBody(std::string_view bytes);
  void Refuse(std::string sentence, bool lies);

  TByteRing& ring_;
  TStationEvents& events_;
  char errorText_[CURL_ERROR_SIZE];
  curl_slist* requestHeaders_ = nullptr;
  curl_slist* shoutcastStatus_ = nullptr;
  TCurlEasy easy_;
  TResponseHeaders answer_;
  std::size_t headerBytes_ = 0;
  bool answered_ = false;  // a playable answer's headers have come
  TIcyDemuxer demuxer_;
  std::int64_t audioBytes_ = 0;
  std::size_t pausedBytes_ = 0;  // the piece waiting for room; 0 when not paused
  std::string refusal_;
  bool lies_ = false;
};

}  // namespace orvana::player
