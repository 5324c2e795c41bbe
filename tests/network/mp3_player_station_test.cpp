// TMP3Player playing stations from the tests' own server: the title changes
// when its song is heard, a station that runs dry or is lost never holds the
// host, and a station that cannot be played says so once.
#include <gtest/gtest.h>

#include <chrono>

#include "hostile_http_server.h"
#include "player/host_hooks.h"
#include "player/player_harness.h"
#include "scripted_answers.h"

namespace orvana::player {
namespace {

using namespace orvana::testing;
using Clock = std::chrono::steady_clock;

// 128 kbit/s Layer III: 16000 bytes a second.
constexpr int kBytesPerSecond = 16000;

// Every message the player shows, as the host's display would.
class StationPlayer : public ::testing::Test {
 protected:
  void SetUp() override {
    SetExceptionDisplay([this](const std::exception& error) { shown_.push_back(error.what()); });
    player_.SetOnChangeStreamInfo([this](TMP3Player& sender) {
      const std::string title = sender.StreamTitle();
      if (!title.empty() && (titles_.empty() || titles_.back() != title)) titles_.push_back(title);
    });
  }
  void TearDown() override { SetExceptionDisplay(nullptr); }

  void Start(const std::string& path) {
    player_.SetFileName(server_.Url(path));
    player_.Open();
    player_.Play();
  }
  // How long a call from the host took.
  template <class Call>
  static Clock::duration Timed(Call call) {
    const Clock::time_point begun = Clock::now();
    call();
    return Clock::now() - begun;
  }

  THostileHttpServer server_;
  testing::TQuietPlayer player_;
  testing::TEventLog log_{player_};
  std::vector<std::string> shown_;
  std::vector<std::string> titles_;
};

TEST_F(StationPlayer, TitleChangesWhenItsSongIsHeardNotWhenItArrives) {
  const std::string audio = StationAudio();
  server_.Answer("/live", [&audio](int) {
    TStationScript script{.audio = audio, .metaint = 8000};
    script.metadata = {{0, TitleText("One")}, {4 * kBytesPerSecond, TitleText("Two")}};
    // Twice as fast as it plays: the second title arrives seconds before it is heard.
    return Trickled(Station(script), 2 * kBytesPerSecond);
  });
  Start("/live");
  EXPECT_TRUE(player_.Connecting());
  EXPECT_EQ(player_.Title(), server_.Url("/live"));

  ASSERT_TRUE(testing::PumpUntil(player_, [&] { return player_.StreamTitle() == "Two"; }, 20000)) << shown_.size();
  const std::int64_t heardAt = player_.Position();
  EXPECT_GE(heardAt, 3500);
  EXPECT_LE(heardAt, 5000);
  EXPECT_EQ(titles_, (std::vector<std::string>{"One", "Two"}));
  EXPECT_EQ(player_.Title(), "Two");
  EXPECT_EQ(player_.Station().name, "Test Station");
  EXPECT_EQ(player_.Length(), 0);
  EXPECT_FALSE(player_.Capabilities().Has(mpcSeek));
  EXPECT_TRUE(shown_.empty());
}

TEST_F(StationPlayer, StationThatRunsDryBuffersWithoutHoldingTheHostAndIsLostWithOneMessage) {
  const std::string audio = StationAudio();
  server_.Answer("/dry", [&audio](int connection) {
    if (connection > 0) return ErrorPage(404, "Not Found");  // the source is gone for good
    TStationScript script{.audio = audio, .audioBytes = 4 * kBytesPerSecond};
    THostileReply reply = Station(script);
    reply.holdOpen = true;
    return reply;
  });
  Start("/dry");
  ASSERT_TRUE(testing::PumpUntil(player_, [&] { return player_.Buffering(); }, 15000));
  // The decode thread waits for the network without the player's locks.
  EXPECT_LT(Timed([&] { player_.Length(); }), std::chrono::milliseconds(500));
  EXPECT_LT(Timed([&] {
              player_.SetEqualizerEnabled(true);
              player_.Messages().DispatchPending();
            }),
            std::chrono::milliseconds(500));
  EXPECT_EQ(player_.Status(), msPlaying);

  // Dropped after its stall, tried again, refused: said once, play ended as by an error.
  ASSERT_TRUE(testing::PumpUntil(player_, [&] { return !log_.reasons.empty(); }, 30000));
  EXPECT_EQ(log_.reasons, std::vector<TMP3EndPlayReason>{meprError});
  ASSERT_EQ(shown_.size(), 1u);
  EXPECT_NE(shown_[0].find("lost"), std::string::npos) << shown_[0];
  EXPECT_FALSE(player_.Opened());
}

TEST_F(StationPlayer, ConnectingEndsWithOneMessageOrAtOnceOnStop) {
  server_.AnswerAlways("/missing", ErrorPage(404, "Not Found"));
  server_.AnswerAlways("/silent", StalledHeaders());

  Start("/missing");
  ASSERT_TRUE(testing::PumpUntil(player_, [&] { return !player_.Opened(); }, 12000));
  ASSERT_EQ(shown_.size(), 1u);
  EXPECT_NE(shown_[0].find("404"), std::string::npos) << shown_[0];
  testing::PumpFor(player_, 100);
  EXPECT_EQ(log_.reasons, std::vector<TMP3EndPlayReason>{meprError});

  Start("/silent");
  ASSERT_TRUE(testing::PumpUntil(player_, [&] { return server_.Requests("/silent") == 1; }));
  EXPECT_LT(Timed([&] { player_.Stop(); }), std::chrono::milliseconds(500));
  EXPECT_FALSE(player_.Opened());
  EXPECT_EQ(player_.Status(), msStopped);
  testing::PumpFor(player_, 200);
  EXPECT_EQ(shown_.size(), 1u);  // a cancel is not a failure
}

}  // namespace
}  // namespace orvana::player
