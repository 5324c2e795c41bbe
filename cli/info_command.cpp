// orvana-cli info FILE...: one JSON object a line with what the player learns
// from each file's containers and tags, and the stream values and ReplayGain
// values it opens it with; for a station's address, what the station says of
// itself and the stream's values.
#include <poll.h>

#include <chrono>
#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/json_writer.h"
#include "player/file_stream.h"
#include "player/host_hooks.h"
#include "player/mp3_info.h"
#include "player/mp3_player.h"
#include "player/network/network_address.h"
#include "player/stream_reader.h"

namespace orvana::cli {
namespace {

using player::TMP3Info;

std::vector<std::string> FoundTypeNames(player::TMP3InfoType found) {
  static constexpr std::pair<player::TMP3InfoItem, const char*> kNames[] = {
      {player::mitID3V1, "ID3V1"}, {player::mitID3V2, "ID3V2"},   {player::mitRiff, "RIFF"},
      {player::mitMacBin, "MACBIN"}, {player::mitLyrics, "LYRICS"},
  };
  std::vector<std::string> names;
  for (const auto& [item, name] : kNames)
    if (found.Has(item)) names.emplace_back(name);
  return names;
}

void DescribeInfo(const TMP3Info& info, TJsonObjectWriter& json) {
  json.AddTextArray("foundTypes", FoundTypeNames(info.FoundTypes()));
  json.AddInteger("dataStart", info.DataStart());
  json.AddOptionalInteger("dataSize", info.DataSizeKnown() ? std::optional(info.DataSize()) : std::nullopt);
  json.AddText("title", info.Title());
  json.AddText("artist", info.Artist());
  json.AddText("album", info.Album());
  json.AddText("year", info.Year());
  json.AddText("comment", info.Comment());
  json.AddText("genre", info.Genre());
  json.AddText("track", info.Track());
  json.AddTextArray("id3v1Values", info.ID3v1Values().Lines());
  json.AddTextArray("id3v2Values", info.ID3v2Values().Lines());
  json.AddTextArray("riffValues", info.RiffValues().Lines());
  json.AddTextArray("lyricsValues", info.LyricsValues().Lines());
}

const char* SourceName(player::TReplayGainSource source) {
  switch (source) {
    case player::rgsUserText: return "TXXX";
    case player::rgsRva2: return "RVA2";
    case player::rgsEncoder: return "LAME";
    case player::rgsNone: break;
  }
  return "";
}

// Only the values found, each kind with the source it came from.
void AddReplayGainKind(const char* kind, const std::optional<double>& gainDb, const std::optional<double>& peak,
                       player::TReplayGainSource source, TJsonObjectWriter& json) {
  const std::string prefix = kind;
  if (gainDb) json.AddNumber(prefix + "Gain", *gainDb);
  if (peak) json.AddNumber(prefix + "Peak", *peak);
  if (source != player::rgsNone) json.AddText(prefix + "Source", SourceName(source));
}

TJsonObjectWriter ReplayGainObject(const player::TReplayGainChoice& choice) {
  TJsonObjectWriter json;
  AddReplayGainKind("track", choice.values.trackGainDb, choice.values.trackPeak, choice.trackSource, json);
  AddReplayGainKind("album", choice.values.albumGainDb, choice.values.albumPeak, choice.albumSource, json);
  return json;
}

void DescribeStream(const player::TMP3Player& player, TJsonObjectWriter& json) {
  json.AddInteger("layer", player.Layer());
  json.AddInteger("version", player.Version());
  json.AddInteger("frequency", player.Frequency());
  json.AddInteger("bitrate", player.Bitrate());
  json.AddInteger("channels", player.Channels());
  json.AddInteger("lengthMs", player.Length());
  // The open reads the encoder's values too, which a scan of the tags alone cannot.
  json.AddObject("replayGain", ReplayGainObject(player.Info().ReplayGain()));
}

// Scans the file as the player does when it opens it, then lets the player
// open it. False when the player refuses it (the reason is in the JSON).
bool DescribeFile(const std::string& path, player::TMP3Player& player, TJsonObjectWriter& json) {
  player::TMPFileStream stream(path);
  const bool seekable = stream.CanSeek();
  if (seekable) {
    player::TMPStreamReader reader(player::TMP3Player::kReaderCapacity);
    reader.Open(&stream, true);
    TMP3Info info;
    info.SetReader(&reader);
    info.ScanHead();
    info.ScanTail();
    DescribeInfo(info, json);
    stream.Seek(0, player::soBeginning);
  }
  try {
    // A pipe can be read once: its tags come from the player's own scan.
    player.OpenStream(&stream, seekable ? player::msoSeekable : 0);
  } catch (const std::exception& error) {
    json.AddText("error", error.what());
    return false;
  }
  if (!seekable) DescribeInfo(player.Info(), json);
  DescribeStream(player, json);
  player.Close();
  return true;
}

// Connects as the player does before it plays: false when the station
// cannot be opened (the reason is in the JSON).
bool DescribeStation(const std::string& url, player::TMP3Player& player, TJsonObjectWriter& json) {
  // The bound the player keeps for connecting, and a little more.
  constexpr auto kBound = std::chrono::milliseconds(player::TStreamOpener::kOpenBoundMs + 2000);
  std::string failure;
  player::SetExceptionDisplay([&failure](const std::exception& error) { failure = error.what(); });
  player.SetFileName(url);
  player.Open();
  const auto deadline = std::chrono::steady_clock::now() + kBound;
  while (player.Connecting() && std::chrono::steady_clock::now() < deadline) {
    pollfd watched{player.Messages().NotifyFd(), POLLIN, 0};
    ::poll(&watched, 1, 100);
    player.Messages().DispatchPending();
  }
  player::SetExceptionDisplay(nullptr);
  if (!player.Opened() || player.Connecting()) {
    json.AddText("error", failure.empty() ? "The station did not answer in time." : failure);
    player.Close();
    return false;
  }
  const player::TStationInfo station = player.Station();
  json.AddText("station", station.name);
  json.AddText("genre", station.genre);
  json.AddText("description", station.description);
  json.AddText("homePage", station.homePage);
  json.AddText("contentType", station.contentType);
  json.AddInteger("stationBitrate", station.bitrate);
  json.AddText("streamTitle", player.StreamTitle());
  DescribeStream(player, json);
  player.Close();
  return true;
}

int Run(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: orvana-cli info FILE...\n");
    return 2;
  }
  int status = 0;
  player::TMP3Player player;
  player.SetAutoOpen(false);
  player.SetAutoPlay(false);
  for (int i = 1; i < argc; ++i) {
    TJsonObjectWriter json;
    json.AddText("file", argv[i]);
    try {
      TJsonObjectWriter details;
      const bool described = player::IsNetworkAddress(argv[i]) ? DescribeStation(argv[i], player, details)
                                                               : DescribeFile(argv[i], player, details);
      if (!described) status = 1;
      json.Append(details);
    } catch (const std::exception& error) {
      json.AddText("error", error.what());
      status = 1;
    }
    std::printf("%s\n", json.Text().c_str());
  }
  return status;
}

const CommandRegistration kReg{{"info", "info FILE|URL...  print each file's tags and data extent, or a station's, as JSON lines", &Run}};

}  // namespace
}  // namespace orvana::cli
