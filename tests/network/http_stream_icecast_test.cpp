// THttpStream listening to a private Icecast fed by the tests' own source:
// the station's info, the source's very bytes and its titles in order, and
// a server killed mid-stream and started again.
#include <gtest/gtest.h>

#include "icecast_server.h"
#include "icecast_source.h"
#include "scripted_answers.h"
#include "stream_observer.h"

namespace orvana::player {
namespace {

using testing::Clock;
using testing::ReadUpTo;
using testing::SameBytes;
using testing::TStreamObserver;
using namespace orvana::testing;
using namespace std::chrono_literals;

// The source's bytes from where `received` starts in its loop: a listener
// joins a live station anywhere.
::testing::AssertionResult PartOfTheLoop(const std::string& received, const std::string& audio) {
  if (received.size() < 1024) return ::testing::AssertionFailure() << "only " << received.size() << " bytes came";
  const std::string twice = audio + audio;
  const std::size_t start = twice.find(received.substr(0, 1024));
  if (start == std::string::npos || start >= audio.size())
    return ::testing::AssertionFailure() << "the first bytes are nowhere in the source's audio";
  return SameBytes(received, LoopedAudio(twice.substr(start, audio.size()), received.size()));
}

class HttpStreamIcecast : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server_.Running()) << server_.Failure();
    ASSERT_TRUE(source_.WaitConnected(1, 10000)) << server_.Log();
  }

  const std::string audio_ = StationAudio();
  TIcecastServer server_;
  TIcecastSource source_{server_.Port(), audio_, {}};
};

TEST_F(HttpStreamIcecast, StationInfoTheSourcesBytesAndTwoTitlesInOrder) {
  THttpStream stream(server_.Url("/live.mp3"));
  TStreamObserver observer(stream);
  stream.Start();
  std::string received = ReadUpTo(stream, 20000, 10s);
  // Reading on, as a player does, until each title comes. Icecast sends
  // titles in Latin-1: "Ä" arrives as UTF-8 all the same.
  const Clock::time_point deadline = Clock::now() + 20s;
  for (const std::string title : {"First Song", "Zweites Lied: Ärger"}) {
    ASSERT_TRUE(source_.SetTitle(title));
    while (!observer.WaitForTitle(title, 0s) && Clock::now() < deadline) received += ReadUpTo(stream, 4000, 1s);
  }

  EXPECT_EQ(observer.Titles(), (std::vector<std::string>{"First Song", "Zweites Lied: Ärger"}));
  EXPECT_TRUE(PartOfTheLoop(received, audio_));
  const TStationInfo station = stream.Station();
  EXPECT_EQ(station.name, "Orvana Test Radio");
  EXPECT_EQ(station.genre, "Test Tones");
  EXPECT_EQ(station.bitrate, 128);
  EXPECT_EQ(station.contentType, "audio/mpeg");
  EXPECT_EQ(stream.State(), TNetStreamState::kReceiving);
}

TEST_F(HttpStreamIcecast, ServerKilledMidStreamAndStartedAgainIsListenedToAgain) {
  THttpStream::TOptions options;
  options.retries = 6;  // room for the source to come back after the server
  options.firstRetryPauseMs = 200;
  THttpStream stream(server_.Url("/live.mp3"), options);
  TStreamObserver observer(stream);
  stream.Start();
  ASSERT_TRUE(PartOfTheLoop(ReadUpTo(stream, 20000, 10s), audio_));

  server_.Kill();
  ASSERT_TRUE(observer.WaitForState(TNetStreamState::kRetrying, 10s));
  // With the server gone nothing more comes: what is held is from before.
  while (stream.ReadyBytes() > 0 && stream.ReadyBytes() != kDataSizeUnknown) ReadUpTo(stream, 4096, 1s);
  ASSERT_TRUE(server_.Restart()) << server_.Failure();
  ASSERT_TRUE(source_.WaitConnected(2, 10000)) << server_.Log();

  ASSERT_TRUE(observer.WaitForState(TNetStreamState::kReceiving, 20s)) << stream.Error();
  EXPECT_TRUE(PartOfTheLoop(ReadUpTo(stream, 20000, 10s), audio_));
}

}  // namespace
}  // namespace orvana::player
