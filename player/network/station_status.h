#pragma once
// TStationStatus: what a network stream's thread has learnt (its state, the
// error, the station's info and the title), read from any thread. Each
// setter says whether anything changed, so that only changes are
// announced. kEnded and kFailed are final: nothing changes after them.
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
  bool SetTitle(std::string title);

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
};

}  // namespace orvana::player
