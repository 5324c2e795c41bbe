#pragma once
// Whether a station's answer can be played: a success, MPEG audio (or
// bytes of no stated type), and a metadata interval a server could mean.
#include <cstddef>
#include <string>
#include <string_view>

#include "player/network/response_headers.h"
#include "player/network/station_info.h"

namespace orvana::player {

// Beyond this a metadata interval is a lie: stations use 8 to 64 KiB.
inline constexpr std::size_t kMaxIcyMetaint = 1024 * 1024;

struct TStationAnswer {
  std::string refusal;  // why the answer cannot be played; empty when it can
  TStationInfo station;
  std::size_t metaint = 0;  // 0: no metadata in the audio
  bool lies = false;        // a server that says what cannot be: trying again is pointless
};

TStationAnswer JudgeStationAnswer(const TResponseHeaders& answer);

// audio/mpeg and its aliases, or application/octet-stream; parameters and
// case do not matter. An empty type counts: many stations send none.
bool IsMpegAudioType(std::string_view contentType);

}  // namespace orvana::player
