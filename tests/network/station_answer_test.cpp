// Whether a station's answer is played, and what of it reaches the user.
#include <gtest/gtest.h>

#include "player/network/station_answer.h"

namespace orvana::player {
namespace {

TStationAnswer Judge(const std::vector<std::string>& lines) {
  TResponseHeaders answer;
  for (const std::string& line : lines) answer.Feed(line + "\r\n");
  EXPECT_TRUE(answer.Feed("\r\n"));
  return JudgeStationAnswer(answer);
}

TEST(StationAnswer, OnlyMpegAudioOrBytesOfNoStatedType) {
  for (const char* type : {"audio/mpeg", "Audio/MPEG; charset=binary", "audio/mp3", "audio/x-mpeg", "audio/mpeg3",
                           "application/octet-stream", ""})
    EXPECT_TRUE(IsMpegAudioType(type)) << type;
  // A playlist's type is no audio: it names the stations.
  for (const char* type : {"audio/x-mpegurl", "audio/aacp", "audio/ogg", "text/plain", "application/json", "video/mpeg"})
    EXPECT_FALSE(IsMpegAudioType(type)) << type;
}

TEST(StationAnswer, WhatTheServerSaysIsCutToPrintableText) {
  const TStationAnswer refused =
      Judge({"HTTP/1.1 404 \x1B[31mNot\x07   Found " + std::string(500, 'x'), "Content-Type: text/html"});
  EXPECT_EQ(refused.refusal, "The station answered 404 [31mNot Found " + std::string(64 - 14, 'x') + ".");
  EXPECT_EQ(Judge({"HTTP/2 503"}).refusal, "The station answered 503 Service Unavailable.");

  const TStationAnswer played = Judge({"ICY 200 OK", "icy-name: Radio \x01" "Caf\xE9", "icy-br: 128,128",
                                       "icy-metaint: 16000", "content-type: audio/mpeg"});
  EXPECT_EQ(played.refusal, "");
  EXPECT_EQ(played.station.name, "Radio Café");
  EXPECT_EQ(played.station.bitrate, 128);
  EXPECT_EQ(played.metaint, 16000u);
  EXPECT_TRUE(Judge({"HTTP/1.0 200 OK", "icy-metaint: 16000x"}).lies);
}

}  // namespace
}  // namespace orvana::player
