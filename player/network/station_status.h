#pragma once
// TStationStatus: what a network stream's thread has learnt (its state, the
// error, the station's info and the title), read from any thread. Each
// setter says whether anything changed, so that only changes are
// announced. kEnded and kFailed are final: nothing changes after them.
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>

#include "player/network/station_info.h"

namespace orvana::player {

class TStationStatus {
 public:
  bool SetState(TNetStreamState state);
  // kFailed with its sentence.
  bool Fail(std::string sentence);
  bool SetStation(TStationInfo station);
  // The title and where it starts: the count of audio bytes before it.
  bool SetTitle(std::string title, std::int64_t startsAt = 0);
  // Once: the latest title starting at or before audio byte `position`;
  // false when none does.
  bool TakeTitleStartingBefore(std::int64_t position, std::string& title);

  TNetStreamState State() const;
  bool Final() const;
  std::string Error() const;
  TStationInfo Station() const;
  std::string Title() const;

 private:
  bool FinalLocked() const { return state_ == TNetStreamState::kEnded || state_ == TNetStreamState::kFailed; }

  mutable std::mutex lock_;
  TNetStreamState state_ = TNetStreamState::kConnecting;
  std::string error_;
  TStationInfo station_;
  std::string title_;
  struct TTitleStart {
    std::int64_t at;
    std::string title;
  };
  std::deque<TTitleStart> titleStarts_;  // not yet taken, oldest first
};

}  // namespace orvana::player
