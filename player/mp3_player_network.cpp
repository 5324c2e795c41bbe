// TMP3Player: network streams, connected to on a thread of their own and
// opened once a few seconds of sound are held.
#include <mutex>
#include <stdexcept>

#include "player/host_hooks.h"
#include "player/mp3_player.h"
#include "player/player_messages.h"

namespace orvana::player {
namespace {

// Less sound than this waiting in the output, with the stream dry: the
// listener is about to hear the gap.
constexpr int kBufferingBelowMs = 500;

}  // namespace

void TMP3Player::OpenNetworkStream(const std::string& url) {
  Close();
  const std::uintptr_t serial = ++openSerial_;
  opener_ = std::make_unique<TStreamOpener>(
      url, needInfoType_,
      TStreamOpener::THooks{[this] { window_.PostOnce(MPM_STREAMINFO); },
                            [this, serial] { window_.Post(MPM_STREAMOPENED, serial, 0); }});
  fileName_ = url;
  SetStatus(msStopped);
  if (autoPlay_) Play();
}

void TMP3Player::CancelConnecting() {
  SetStatus(msStopped);
  opener_.reset();
  window_.RemoveQueued(MPM_STREAMOPENED);
  fileName_.clear();
}

void TMP3Player::MPMStreamOpened(std::uintptr_t serial) {
  // Cancelled, or replaced by another open, since it was posted.
  if (!opener_ || serial != openSerial_) return;
  std::unique_ptr<TMPTrack> track = opener_->TakeTrack();  // the opener's threads have ended
  std::string error = opener_->Error();
  if (track) {
    THttpStream& stream = opener_->Stream();  // the track's from here
    try {
      InstallTrack(std::move(track));
    } catch (const std::exception& failure) {
      error = failure.what();
    }
    if (error.empty()) {
      opener_.reset();
      liveStream_ = &stream;
      heardTitle_ = stream.Title();  // what plays from the first sound
    }
  }
  if (!opener_) {
    DoChangeStreamInfo();
    if (status_ != msPlaying) return SetStatus(msStopped);
    try {
      StartOutput();
    } catch (...) {
      // No device: shown by the queue's handler, and play ends as after an error.
      endReason_ = meprError;
      Stop();
      throw;
    }
    return;
  }
  if (!error.empty()) {
    ShowException(std::runtime_error(error));
    endReason_ = meprError;
  }
  CancelConnecting();
}

void TMP3Player::MPMMarkReached() {
  if (liveStream_ != nullptr)
    StationTitleHeard();
  else
    MPMNextSong();
}

void TMP3Player::StationTitleHeard() {
  {
    std::lock_guard decode(decodeLock_);
    if (markedTitle_.empty() || markedTitle_ == heardTitle_) return;
    heardTitle_ = markedTitle_;
  }
  {
    std::lock_guard output(outputLock_);
    soundOut_.SetTitle(Title());
  }
  DoChangeStreamInfo();
}

void TMP3Player::MPMStreamInfo() {
  // The first title names what plays already; later ones wait until heard.
  if (liveStream_ != nullptr) {
    if (heardTitle_.empty()) heardTitle_ = liveStream_->Title();
    std::lock_guard output(outputLock_);
    soundOut_.SetTitle(Title());
  }
  DoChangeStreamInfo();
}

bool TMP3Player::Buffering() {
  if (liveStream_ == nullptr || status_ != msPlaying) return false;
  if (liveStream_->State() == TNetStreamState::kRetrying) return true;
  if (!decodeStep_.Starving()) return false;
  std::lock_guard output(outputLock_);
  if (!soundOut_.IsOpen()) return true;
  const std::int64_t bytesPerSecond = std::int64_t{current_->Frequency()} * current_->BytesPerSample();
  return soundOut_.UnheardBytes() < bytesPerSecond * kBufferingBelowMs / 1000;
}

TStationInfo TMP3Player::Station() const {
  if (liveStream_ != nullptr) return liveStream_->Station();
  return opener_ ? opener_->Stream().Station() : TStationInfo{};
}

std::string TMP3Player::StreamTitle() const {
  if (liveStream_ != nullptr) return heardTitle_;
  return opener_ ? opener_->Stream().Title() : std::string();
}

void TMP3Player::DoChangeStreamInfo() {
  if (!destroying_ && onChangeStreamInfo_) onChangeStreamInfo_(*this);
}

}  // namespace orvana::player
