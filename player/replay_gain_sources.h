#pragma once
// A song's ReplayGain values as each kind of source gives them, and the
// choice among them: values measured for the tags win over the encoder's
// estimate, a user text frame over RVA2. Track and album values are chosen
// apart; a peak always comes from the source of its gain.
#include <cstdint>
#include <optional>

#include "player/replay_gain.h"

namespace orvana::player {

// One of the four values, as a member: &TReplayGainValues::trackGainDb, ...
using TReplayGainField = std::optional<double> TReplayGainValues::*;

enum TReplayGainSource : std::uint8_t {
  rgsNone = 0,
  rgsUserText = 1,  // ID3v2 "TXXX" ("TXX" in 2.2) frames
  rgsRva2 = 2,      // ID3v2 "RVA2" frames
  rgsEncoder = 3,   // the encoder's header in the first frame (LAME's)
};

struct TReplayGainSources {
  TReplayGainValues userText;
  TReplayGainValues rva2;
  TReplayGainValues encoder;
};

struct TReplayGainChoice {
  TReplayGainValues values;
  TReplayGainSource trackSource = rgsNone;
  TReplayGainSource albumSource = rgsNone;

  bool operator==(const TReplayGainChoice&) const = default;
};

// Of each kind, the gain of the first source that has one, with that
// source's peak; without a gain anywhere, the first peak alone.
TReplayGainChoice ChooseReplayGain(const TReplayGainSources& sources);

}  // namespace orvana::player
