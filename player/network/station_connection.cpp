#include "player/network/station_connection.h"

#include <algorithm>

#include "player/network/icy_metadata.h"
#include "player/network/station_answer.h"
#include "player/network/transfer_sentences.h"

namespace orvana::player {

TStationConnection::TStationConnection(const std::string& url, TLimits limits, TByteRing& ring,
                                       TStationEvents& events)
    : ring_(ring), events_(events), easy_(NewEasyHandle(url.c_str(), errorText_)) {
  CURL* easy = easy_.get();
  if (easy == nullptr) return;
  requestHeaders_ = Curl().curl_slist_append(nullptr, "Icy-MetaData: 1");
  Curl().curl_easy_setopt(easy, CURLOPT_HTTPHEADER, requestHeaders_);
  // SHOUTcast's status line, which libcurl takes for HTTP/0.9 otherwise.
  shoutcastStatus_ = Curl().curl_slist_append(nullptr, "ICY 200 OK");
  Curl().curl_easy_setopt(easy, CURLOPT_HTTP200ALIASES, shoutcastStatus_);
  // HTTP/2 keeps receiving into curl's own buffers while paused: the ring
  // would no longer bound what is held.
  Curl().curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, long{CURL_HTTP_VERSION_1_1});
  Curl().curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &HeaderCallback);
  Curl().curl_easy_setopt(easy, CURLOPT_HEADERDATA, this);
  Curl().curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &BodyCallback);
  Curl().curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
  Curl().curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, long{std::max(limits.connectTimeoutMs, 1)});
  Curl().curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, kSlowestBytesPerSecond);
  Curl().curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, long{std::max((limits.stallTimeoutMs + 999) / 1000, 1)});
}

TStationConnection::~TStationConnection() {
  easy_.reset();
  if (requestHeaders_ != nullptr) Curl().curl_slist_free_all(requestHeaders_);
  if (shoutcastStatus_ != nullptr) Curl().curl_slist_free_all(shoutcastStatus_);
}

std::size_t TStationConnection::HeaderCallback(char* data, std::size_t size, std::size_t count, void* self) {
  return static_cast<TStationConnection*>(self)->TakeHeaderLine(std::string_view(data, size * count));
}

std::size_t TStationConnection::BodyCallback(char* data, std::size_t size, std::size_t count, void* self) {
  return static_cast<TStationConnection*>(self)->TakeBody(std::string_view(data, size * count));
}

void TStationConnection::Refuse(std::string sentence, bool lies) {
  refusal_ = std::move(sentence);
  lies_ = lies;
}

// Returning less than the line's size ends the transfer.
std::size_t TStationConnection::TakeHeaderLine(std::string_view line) {
  headerBytes_ += line.size();
  if (headerBytes_ > kMaxHeaderBytes) {
    Refuse("The station's answer never finishes its headers.", true);
    return 0;
  }
  if (!answer_.Feed(line)) return line.size();
  // The end of one answer's headers: the one to play, unless curl goes on.
  if (answer_.Status() < 200 || answer_.IsRedirect()) return line.size();
  const TStationAnswer verdict = JudgeStationAnswer(answer_);
  if (!verdict.refusal.empty()) {
    Refuse(verdict.refusal, verdict.lies);
    return 0;
  }
  answered_ = true;
  demuxer_ = TIcyDemuxer(verdict.metaint);
  events_.OnStation(verdict.station);
  return line.size();
}

std::size_t TStationConnection::TakeBody(std::string_view bytes) {
  if (!answered_) {  // a body before any playable answer: nothing to trust
    Refuse("The station's answer has no status line.", true);
    return 0;
  }
  // Audio is the body less its metadata, so room for the body is enough.
  if (bytes.size() > ring_.Room()) {
    pausedBytes_ = bytes.size();
    ring_.WantRoom(bytes.size());
    return CURL_WRITEFUNC_PAUSE;
  }
  bool lying = false;
  demuxer_.Split(
      bytes,
      [&](std::string_view audio) {
        if (lying) return;
        ring_.Write(audio.data(), audio.size());
        audioBytes_ += static_cast<std::int64_t>(audio.size());
        events_.OnAudio(audio.size());
      },
      [&](std::string_view block) {
        if (lying) return;
        const std::optional<TIcyMetadata> metadata = ParseIcyMetadata(block);
        if (!metadata) lying = true;
        else if (metadata->title) events_.OnTitle(*metadata->title);
      });
  if (lying) {
    Refuse("The station's stream metadata is not text.", true);
    return 0;
  }
  return bytes.size();
}

void TStationConnection::ResumeIfRoom() {
  if (pausedBytes_ == 0 || ring_.Room() < pausedBytes_) return;
  pausedBytes_ = 0;
  // curl hands the held piece over again from in here, and may pause anew.
  Curl().curl_easy_pause(easy_.get(), CURLPAUSE_CONT);
}

bool TStationConnection::BeginRest() {
  if (pausedBytes_ != 0) return false;
  Curl().curl_easy_pause(easy_.get(), CURLPAUSE_RECV);
  return true;
}

void TStationConnection::EndRest() {
  // Paused for room meanwhile? Nothing is received while resting, so never.
  if (pausedBytes_ == 0) Curl().curl_easy_pause(easy_.get(), CURLPAUSE_CONT);
}

TConnectionEnd TStationConnection::End(CURLcode result) const {
  TConnectionEnd end;
  end.audioBytes = audioBytes_;
  if (!refusal_.empty()) {
    end.sentence = refusal_;
    end.lies = lies_;
    return end;
  }
  if (result != CURLE_OK) {
    end.sentence = CurlFailureSentence("station", result, errorText_, answered_);
    return end;
  }
  curl_off_t length = -1;
  Curl().curl_easy_getinfo(easy_.get(), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
  end.kind = length >= 0 ? TConnectionEnd::TKind::kComplete : TConnectionEnd::TKind::kClosed;
  return end;
}

}  // namespace orvana::player
