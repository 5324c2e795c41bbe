#include "player/network/station_status.h"

#include <utility>

namespace orvana::player {

bool TStationStatus::SetState(TNetStreamState state) {
  std::lock_guard guard(lock_);
  if (FinalLocked() || state_ == state) return false;
  state_ = state;
  return true;
}

bool TStationStatus::Fail(std::string sentence) {
  std::lock_guard guard(lock_);
  if (FinalLocked()) return false;
  state_ = TNetStreamState::kFailed;
  error_ = std::move(sentence);
  return true;
}

bool TStationStatus::SetStation(TStationInfo station) {
  std::lock_guard guard(lock_);
  if (FinalLocked() || station_ == station) return false;
  station_ = std::move(station);
  return true;
}

bool TStationStatus::SetTitle(std::string title, std::int64_t startsAt) {
  // A reader that never takes them keeps only the latest few.
  constexpr std::size_t kMostTitleStarts = 32;
  std::lock_guard guard(lock_);
  if (FinalLocked() || title_ == title) return false;
  title_ = std::move(title);
  if (titleStarts_.size() == kMostTitleStarts) titleStarts_.pop_front();
  titleStarts_.push_back({startsAt, title_});
  return true;
}

bool TStationStatus::TakeTitleStartingBefore(std::int64_t position, std::string& title) {
  std::lock_guard guard(lock_);
  bool found = false;
  while (!titleStarts_.empty() && titleStarts_.front().at <= position) {
    title = std::move(titleStarts_.front().title);
    titleStarts_.pop_front();
    found = true;
  }
  return found;
}

TNetStreamState TStationStatus::State() const {
  std::lock_guard guard(lock_);
  return state_;
}

bool TStationStatus::Final() const {
  std::lock_guard guard(lock_);
  return FinalLocked();
}

std::string TStationStatus::Error() const {
  std::lock_guard guard(lock_);
  return error_;
}

TStationInfo TStationStatus::Station() const {
  std::lock_guard guard(lock_);
  return station_;
}

std::string TStationStatus::Title() const {
  std::lock_guard guard(lock_);
  return title_;
}

}  // namespace orvana::player
