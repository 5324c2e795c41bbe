#include "player/replay_gain_sources.h"

#include <utility>

namespace orvana::player {
namespace {

void ChooseKind(const TReplayGainSources& sources, TReplayGainField gain, TReplayGainField peak,
                TReplayGainValues& chosen, TReplayGainSource& chosenSource) {
  const std::pair<TReplayGainSource, const TReplayGainValues*> ranked[] = {
      {rgsUserText, &sources.userText}, {rgsRva2, &sources.rva2}, {rgsEncoder, &sources.encoder}};
  for (const TReplayGainField wanted : {gain, peak}) {
    for (const auto& [source, values] : ranked) {
      if (!(values->*wanted)) continue;
      chosen.*gain = values->*gain;
      chosen.*peak = values->*peak;
      chosenSource = source;
      return;
    }
  }
}

}  // namespace

TReplayGainChoice ChooseReplayGain(const TReplayGainSources& sources) {
  TReplayGainChoice choice;
  ChooseKind(sources, &TReplayGainValues::trackGainDb, &TReplayGainValues::trackPeak, choice.values,
             choice.trackSource);
  ChooseKind(sources, &TReplayGainValues::albumGainDb, &TReplayGainValues::albumPeak, choice.values,
             choice.albumSource);
  return choice;
}

}  // namespace orvana::player
