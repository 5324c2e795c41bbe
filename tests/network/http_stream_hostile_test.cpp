// THttpStream against a server of the tests' own: every way an answer can
// be wrong ends in kFailed with its sentence; drops are tried again; the
// buffer keeps its bound; Cancel ends every wait.
#include <gtest/gtest.h>

#include <future>
#include <memory>
#include <thread>

#include "loopback_socket.h"
#include "scripted_answers.h"
#include "stream_observer.h"
#include "unanswered_port.h"

namespace orvana::player {
namespace {

using testing::Clock;
using testing::ReadUpTo;
using testing::SameBytes;
using testing::TStreamObserver;
using namespace orvana::testing;
using namespace std::chrono_literals;

// Bytes that stand for audio: no two runs of 64 alike, so that a misplaced
// byte shows.
std::string CountingAudio(std::size_t size) {
  std::string audio(size, '\0');
  std::uint32_t state = 12345;
  for (char& byte : audio) {
    state = state * 1103515245 + 12345;
    byte = char(state >> 24);
  }
  return audio;
}

TStationScript StationOf(std::string audio, std::size_t metaint) {
  TStationScript script;
  script.audio = std::move(audio);
  script.metaint = metaint;
  return script;
}

TEST(HttpStreamHostile, EveryBadAnswerFailsWithItsSentenceWithinTenSeconds) {
  THostileHttpServer server;
  TStationScript lying = StationOf(CountingAudio(3000), 1000);
  lying.metadata = {{0, "\x01\x02\x03\x04garbage"}};
  TStationScript noInterval = StationOf(CountingAudio(3000), 0);
  noInterval.extraHeaders = "icy-metaint: 0\r\n";
  TStationScript hugeInterval = StationOf(CountingAudio(3000), 0);
  hugeInterval.extraHeaders = "icy-metaint: 2097152\r\n";
  server.AnswerAlways("/404", ErrorPage(404, "Not Found"));
  server.AnswerAlways("/503", ErrorPage(503, "Service Unavailable"));
  server.AnswerAlways("/html", HtmlPage());
  server.AnswerAlways("/endless", EndlessHeaders());
  server.AnswerAlways("/stalled", StalledHeaders());
  server.Answer("/trickle", [](int) { return Trickled(Station(StationOf(CountingAudio(3000), 0)), 1); });
  server.Answer("/lying", [lying](int) { return Station(lying); });
  server.Answer("/metaint-0", [noInterval](int) { return Station(noInterval); });
  server.Answer("/metaint-2m", [hugeInterval](int) { return Station(hugeInterval); });
  server.AnswerAlways("/loop", Redirect("/loop"));
  server.AnswerAlways("/aac", {.head = "HTTP/1.0 200 OK\r\nContent-Type: audio/aacp\r\n\r\n", .more = {},
                               .bytesPerSecond = 0, .dropAfter = -1, .holdOpen = true});
  server.AnswerAlways("/empty", {.head = "HTTP/1.0 200 OK\r\nContent-Type: audio/mpeg\r\n\r\n"});

  struct TCase {
    std::string url;
    std::string sentence;  // the whole sentence, or its start when it ends in "("
  };
  const std::vector<TCase> cases = {
      {server.Url("/404"), "The station answered 404 Not Found."},
      {server.Url("/503"), "The station answered 503 Service Unavailable."},
      {server.Url("/html"), "The address sends text/html, not MPEG audio."},
      {server.Url("/aac"), "The address sends audio/aacp, not MPEG audio."},
      {server.Url("/endless"), "The station's answer never finishes its headers."},
      {server.Url("/stalled"), "The station does not answer in time ("},
      {server.Url("/trickle"), "The station does not answer in time ("},
      {server.Url("/lying"), "The station's stream metadata is not text."},
      {server.Url("/metaint-0"), "The station's metadata interval \"0\" is impossible."},
      {server.Url("/metaint-2m"), "The station's metadata interval \"2097152\" is impossible."},
      {server.Url("/loop"), "The station redirects more than 5 times."},
      {server.Url("/empty"), "The station closed the connection before sending audio."},
      {"http://127.0.0.1:" + std::to_string(FreeLoopbackPort()) + "/", "The station does not answer ("},
  };
  // All at once: the slowest sets the time.
  std::vector<std::unique_ptr<THttpStream>> streams;
  std::vector<std::unique_ptr<TStreamObserver>> observers;
  for (const TCase& c : cases) {
    streams.push_back(std::make_unique<THttpStream>(c.url));
    observers.push_back(std::make_unique<TStreamObserver>(*streams.back()));
    streams.back()->Start();
  }
  const Clock::time_point deadline = Clock::now() + 10s;
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(cases[i].url);
    EXPECT_TRUE(observers[i]->WaitForEnd(deadline - Clock::now()));
    ASSERT_EQ(streams[i]->State(), TNetStreamState::kFailed);
    const std::string& sentence = cases[i].sentence;
    if (sentence.ends_with('(')) {
      EXPECT_TRUE(streams[i]->Error().starts_with(sentence)) << streams[i]->Error();
      EXPECT_TRUE(streams[i]->Error().ends_with(").")) << streams[i]->Error();
    } else {
      EXPECT_EQ(streams[i]->Error(), sentence);
    }
    char byte;
    EXPECT_EQ(streams[i]->Read(&byte, 1), 0);
    EXPECT_EQ(streams[i]->ReadyBytes(), kDataSizeUnknown);
  }
  // A failure before audio is final: nothing was asked twice.
  EXPECT_EQ(server.Requests("/503"), 1);
  EXPECT_EQ(server.Requests("/stalled"), 1);
  // The lie came after audio: still not worth a second try.
  EXPECT_EQ(server.Requests("/lying"), 1);
}

TEST(HttpStreamHostile, RedirectToAShoutcastStationGivesItsAudioAndTitlesInOrder) {
  THostileHttpServer server;
  const std::string audio = CountingAudio(70001);
  TStationScript script = StationOf(audio, 8192);
  script.statusLine = "ICY 200 OK";
  script.metadata = {{0, TitleText("First")},
                     {50000, TitleText("Don't Look Back")},
                     {50001, TitleText("Second, after an empty interval")},
                     {150000, TitleText("Caf\xE9")}};
  server.Answer("/station", [script](int) { return Station(script); });
  server.AnswerAlways("/listen", Redirect(server.Url("/station")));

  THttpStream stream(server.Url("/listen"));
  TStreamObserver observer(stream);
  stream.Start();
  const std::string received = ReadUpTo(stream, 200000, 10s);

  EXPECT_TRUE(SameBytes(received, LoopedAudio(audio, 200000)));
  // The last in an interval wins; the Latin-1 title arrives as UTF-8.
  EXPECT_EQ(observer.Titles(), (std::vector<std::string>{"First", "Second, after an empty interval", "Café"}));
  const TStationInfo station = stream.Station();
  EXPECT_EQ(station.name, "Test Station");
  EXPECT_EQ(station.genre, "Test");
  EXPECT_EQ(station.bitrate, 128);
  EXPECT_EQ(station.contentType, "audio/mpeg");
  const std::string request = server.LastRequest("/station");
  EXPECT_NE(request.find("\r\nIcy-MetaData: 1"), std::string::npos) << request;
  EXPECT_NE(request.find("\r\nUser-Agent: Orvana/0.1"), std::string::npos) << request;
}

TEST(HttpStreamHostile, DroppedConnectionIsTriedAgainThroughAnErrorAndTheAudioGoesOnFromAFreshInterval) {
  THostileHttpServer server;
  const std::string audio = CountingAudio(50000);
  const TStationScript script = StationOf(audio, 1000);
  // Audio 0..1000, a block, then 777 more bytes: cut inside an interval.
  const std::int64_t dropAfter = Station(script).head.size() + 1000 + 1 + 777;
  server.Answer("/station", [=](int connection) {
    if (connection == 1) return ErrorPage(404, "Not Found");  // the source is away
    THostileReply reply = Station(script);
    if (connection == 0) reply.dropAfter = dropAfter;
    return reply;
  });
  THttpStream::TOptions options;
  options.firstRetryPauseMs = 10;
  THttpStream stream(server.Url("/station"), options);
  TStreamObserver observer(stream);
  stream.Start();
  const std::string received = ReadUpTo(stream, 1777 + 30000, 10s);

  EXPECT_TRUE(SameBytes(received, audio.substr(0, 1777) + audio.substr(0, 30000)));
  EXPECT_EQ(server.Requests("/station"), 3);
  EXPECT_EQ(observer.States(),
            (std::vector<TNetStreamState>{TNetStreamState::kConnecting, TNetStreamState::kReceiving,
                                          TNetStreamState::kRetrying, TNetStreamState::kReceiving}));
}

TEST(HttpStreamHostile, AfterItsLastTryTheConnectionIsLost) {
  THostileHttpServer server;
  const TStationScript script = StationOf(CountingAudio(5000), 0);
  server.Answer("/station", [=](int connection) {
    if (connection > 0) return ErrorPage(503, "Service Unavailable");
    THostileReply reply = Station(script);
    reply.dropAfter = reply.head.size() + 2000;
    return reply;
  });
  THttpStream::TOptions options;
  options.retries = 3;
  options.firstRetryPauseMs = 10;
  THttpStream stream(server.Url("/station"), options);
  TStreamObserver observer(stream);
  stream.Start();
  ASSERT_TRUE(observer.WaitForEnd(10s));
  EXPECT_EQ(stream.State(), TNetStreamState::kFailed);
  EXPECT_EQ(stream.Error(), "The connection to the station was lost.");
  EXPECT_EQ(server.Requests("/station"), 1 + 3);
  // What had come before is dropped with the failure.
  char byte;
  EXPECT_EQ(stream.Read(&byte, 1), 0);
}

TEST(HttpStreamHostile, AFileOfStatedLengthEndsAfterItsLastByte) {
  THostileHttpServer server;
  const std::string audio = CountingAudio(40000);
  TStationScript script = StationOf(audio, 0);
  script.audioBytes = 40000;
  script.contentLength = true;
  server.Answer("/song.mp3", [=](int) { return Station(script); });
  THttpStream stream(server.Url("/song.mp3"));
  TStreamObserver observer(stream);
  stream.Start();
  ASSERT_TRUE(observer.WaitForEnd(10s));
  EXPECT_EQ(stream.State(), TNetStreamState::kEnded);
  EXPECT_TRUE(SameBytes(ReadUpTo(stream, 100000, 5s), audio));
  EXPECT_EQ(server.Requests("/song.mp3"), 1);
}

TEST(HttpStreamHostile, ASlowReaderNeverFindsMoreThanTheBoundAndLosesNothing) {
  THostileHttpServer server;
  const std::string audio = CountingAudio(100003);
  const TStationScript script = StationOf(audio, 4000);
  server.Answer("/station", [=](int) { return Station(script); });
  constexpr int kBound = 32 * 1024;
  THttpStream::TOptions options;
  options.bufferBytes = kBound;
  THttpStream stream(server.Url("/station"), options);
  stream.Start();
  // Full before the first read: the transfer has paused.
  ASSERT_TRUE(stream.WaitReady(kBound, 10000));

  std::string received;
  char buffer[1000];
  const Clock::time_point deadline = Clock::now() + 20s;
  while (received.size() < 600000 && Clock::now() < deadline) {
    ASSERT_LE(stream.ReadyBytes(), kBound);
    ASSERT_LE(stream.Received() - std::int64_t(received.size()), kBound);
    if (!stream.WaitReady(1, 100)) continue;
    const auto wanted = std::min<std::int64_t>(sizeof buffer, 600000 - std::int64_t(received.size()));
    received.append(buffer, std::size_t(stream.Read(buffer, wanted)));
  }
  EXPECT_TRUE(SameBytes(received, LoopedAudio(audio, 600000)));
  EXPECT_EQ(stream.State(), TNetStreamState::kReceiving);
}

TEST(HttpStreamHostile, AReaderThatStopsLongerThanTheStallTimeKeepsTheStation) {
  THostileHttpServer server;
  const std::string audio = CountingAudio(30011);
  server.Answer("/station", [=](int) { return Station(StationOf(audio, 2000)); });
  THttpStream::TOptions options;
  options.bufferBytes = 32 * 1024;
  options.stallTimeoutMs = 1000;
  THttpStream stream(server.Url("/station"), options);
  stream.Start();
  ASSERT_TRUE(stream.WaitReady(options.bufferBytes, 10000));
  // A player paused: a full buffer stops the transfer, which is no stall.
  std::this_thread::sleep_for(3 * std::chrono::milliseconds(options.stallTimeoutMs));
  EXPECT_TRUE(SameBytes(ReadUpTo(stream, 200000, 10s), LoopedAudio(audio, 200000)));
  EXPECT_EQ(stream.State(), TNetStreamState::kReceiving);
  EXPECT_EQ(server.Requests("/station"), 1);
}

// Cancel from another thread, with a reader waiting in Read: the reader
// gets 0 at once, and the stream's thread ends at once too.
void ExpectCancelEndsTheWaits(THttpStream& stream, std::unique_ptr<THttpStream>& owner) {
  auto reader = std::async(std::launch::async, [&stream] {
    char buffer[4096];
    std::int64_t got;
    while ((got = stream.Read(buffer, sizeof buffer)) > 0) {
    }
    return got;
  });
  stream.Cancel();
  ASSERT_EQ(reader.wait_for(500ms), std::future_status::ready);
  EXPECT_EQ(reader.get(), 0);
  EXPECT_EQ(stream.State(), TNetStreamState::kEnded);
  auto ending = std::async(std::launch::async, [&owner] { owner.reset(); });
  EXPECT_EQ(ending.wait_for(1s), std::future_status::ready);
}

TEST(HttpStreamHostile, CancelEndsEveryWaitAtOnce) {
  THostileHttpServer server;
  server.AnswerAlways("/stalled", StalledHeaders());
  server.Answer("/dropping", [](int connection) {
    if (connection > 0) return ErrorPage(404, "Not Found");
    THostileReply reply = Station(StationOf(CountingAudio(5000), 0));
    reply.dropAfter = reply.head.size() + 100;
    return reply;
  });
  const TUnansweredPort unanswered;
  ASSERT_NE(unanswered.Port(), 0);
  THttpStream::TOptions options;
  options.connectTimeoutMs = 60000;
  options.firstDataTimeoutMs = 60000;
  options.stallTimeoutMs = 60000;
  options.firstRetryPauseMs = 60000;

  {
    SCOPED_TRACE("while connecting");
    auto stream = std::make_unique<THttpStream>("http://127.0.0.1:" + std::to_string(unanswered.Port()) + "/", options);
    stream->Start();
    const Clock::time_point deadline = Clock::now() + 5s;
    while (unanswered.Connecting() == 0 && Clock::now() < deadline) std::this_thread::yield();
    ASSERT_GT(unanswered.Connecting(), 0);
    ExpectCancelEndsTheWaits(*stream, stream);
  }
  {
    SCOPED_TRACE("while the headers stall");
    auto stream = std::make_unique<THttpStream>(server.Url("/stalled"), options);
    stream->Start();
    const Clock::time_point deadline = Clock::now() + 5s;
    while (server.Sent("/stalled") == 0 && Clock::now() < deadline) std::this_thread::yield();
    ASSERT_GT(server.Sent("/stalled"), 0);
    ExpectCancelEndsTheWaits(*stream, stream);
  }
  {
    SCOPED_TRACE("in the pause before trying again");
    auto stream = std::make_unique<THttpStream>(server.Url("/dropping"), options);
    TStreamObserver observer(*stream);
    stream->Start();
    ASSERT_TRUE(observer.WaitForState(TNetStreamState::kRetrying, 5s));
    ExpectCancelEndsTheWaits(*stream, stream);
  }
}

}  // namespace
}  // namespace orvana::player
