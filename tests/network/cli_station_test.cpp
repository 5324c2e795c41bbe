// orvana-cli with a station of a private Icecast: `play` names the station
// and each title as it is heard, and stops when told; `info` says what the
// station says of itself and what it sends.
#include <gtest/gtest.h>

#include "cli/cli_process.h"
#include "icecast_server.h"
#include "icecast_source.h"
#include "scripted_answers.h"

namespace orvana::cli {
namespace {

using namespace orvana::testing;
using orvana::cli::testing::CliRun;
using orvana::cli::testing::Quoted;
using orvana::cli::testing::Shell;

TEST(CliStation, PlayPrintsTheStationAndItsTitlesAndInfoDescribesIt) {
  TIcecastServer server;
  ASSERT_TRUE(server.Running()) << server.Failure();
  TIcecastSource source(server.Port(), StationAudio(), {});
  ASSERT_TRUE(source.WaitConnected(1, 10000)) << server.Log();
  ASSERT_TRUE(source.SetTitle("First Song"));
  const std::string url = server.Url("/live.mp3");

  const CliRun info = Shell(std::string(ORVANA_CLI_PATH) + " info " + Quoted(url));
  EXPECT_EQ(info.status, 0) << info.err;
  for (const char* member : {R"("station":"Orvana Test Radio")", R"("genre":"Test Tones")", R"("stationBitrate":128)",
                             R"("layer":3)", R"("bitrate":128000)", R"("frequency":44100)", R"("channels":2)",
                             R"("streamTitle":"First Song")"})
    EXPECT_NE(info.out.find(member), std::string::npos) << member << " in " << info.out;

  const CliRun play =
      Shell(std::string(ORVANA_CLI_PATH) + " play --device null --events --seconds 5 " + Quoted(url));
  EXPECT_EQ(play.status, 0) << play.err;
  EXPECT_NE(play.out.find("\nstation Orvana Test Radio\n"), std::string::npos) << play.out;
  EXPECT_NE(play.out.find("\ntitle First Song\n"), std::string::npos) << play.out;
  EXPECT_NE(play.out.find("endplay Stopped"), std::string::npos) << play.out;

  const CliRun missing = Shell(std::string(ORVANA_CLI_PATH) + " play --device null " + Quoted(server.Url("/none")));
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("404"), std::string::npos) << missing.err;
}

}  // namespace
}  // namespace orvana::cli
