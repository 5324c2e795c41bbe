#pragma once
// Replies for THostileHttpServer: the ways a web server or a station
// answers, well and badly.
#include <cstdint>
#include <string>
#include <vector>

#include "hostile_http_server.h"

namespace orvana::testing {

// "HTTP/1.1 404 Not Found" with a small HTML page.
THostileReply ErrorPage(int status, const std::string& reason);
// A web page where a station was expected.
THostileReply HtmlPage();
// A status line and then header lines without end.
THostileReply EndlessHeaders();
// A status line and one header, then silence on an open connection.
THostileReply StalledHeaders();
// "HTTP/1.1 302 Found" to `location`.
THostileReply Redirect(const std::string& location);
// `reply` at `bytesPerSecond`.
THostileReply Trickled(THostileReply reply, int bytesPerSecond);

// A metadata block's text, placed after the interval in which the audio
// reaches `audioOffset`.
struct TMetadataAt {
  std::int64_t audioOffset;
  std::string text{};  // sent as it is, padded with NULs to a multiple of 16
};
std::string TitleText(const std::string& title);  // "StreamTitle='title';"

struct TStationScript {
  std::string audio{};       // sent in a loop
  std::int64_t audioBytes = -1;  // stops after this much audio; -1: never
  std::size_t metaint = 0;   // 0: no icy-metaint, plain audio
  std::vector<TMetadataAt> metadata{};
  std::string statusLine = "HTTP/1.0 200 OK";  // or SHOUTcast's "ICY 200 OK"
  std::string extraHeaders{};  // lines with their CR LF
  bool contentLength = false;  // states the body's length (audioBytes, no metaint)
};
// The headers (icy-name "Test Station", icy-genre "Test", icy-br 128,
// audio/mpeg) and the audio with its metadata blocks. The reply keeps its
// place in the audio: make one for each connection.
THostileReply Station(const TStationScript& script);

// Six seconds of 128 kbit/s Layer III from the test data: a station's audio.
std::string StationAudio();

// The audio a listener must receive from the start of `script`: `count`
// bytes of its looped audio.
std::string LoopedAudio(const std::string& audio, std::size_t count);

}  // namespace orvana::testing
