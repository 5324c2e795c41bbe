#include "player/network/stream_opener.h"

#include <algorithm>
#include <chrono>
#include <future>

namespace orvana::player {
namespace {

constexpr int kAssumedKbitPerSecond = 128;
constexpr int kWaitSliceMs = 100;

}  // namespace

int PrebufferBytes(const TStationInfo& station, int seconds, int bufferBytes) {
  // Stated rates beyond MPEG audio's highest are not believed.
  const int kbit = station.bitrate > 0 && station.bitrate <= 448 ? station.bitrate : kAssumedKbitPerSecond;
  return std::min(kbit * 1000 / 8 * seconds, bufferBytes / 2);
}

TStreamOpener::TStreamOpener(std::string url, TMP3InfoType needInfoType, THooks hooks)
    : url_(std::move(url)),
      needInfoType_(needInfoType),
      hooks_(std::move(hooks)),
      ownedStream_(std::make_unique<THttpStream>(url_)),
      stream_(ownedStream_.get()) {
  if (hooks_.changed) stream_->SetOnChange(hooks_.changed);
  thread_ = std::thread([this] { Run(); });
}

TStreamOpener::~TStreamOpener() {
  cancelled_ = true;
  if (!taken_) stream_->Cancel();
  if (thread_.joinable()) thread_.join();
}

std::unique_ptr<TMPTrack> TStreamOpener::TakeTrack() {
  if (thread_.joinable()) thread_.join();
  if (!track_ || !error_.empty()) return nullptr;
  taken_ = true;
  return std::move(track_);
}

void TStreamOpener::Run() {
  stream_->Start();
  if (WaitForPrebuffer()) OpenTrack();
  if (cancelled_) error_.clear();
  if (hooks_.done) hooks_.done();
}

bool TStreamOpener::WaitForPrebuffer() {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kOpenBoundMs);
  for (;;) {
    if (cancelled_) return false;
    switch (stream_->State()) {
      case TNetStreamState::kFailed: error_ = stream_->Error(); return false;
      case TNetStreamState::kEnded: return true;  // a short file: what came is all
      default: break;
    }
    const int wanted = PrebufferBytes(stream_->Station(), kPrebufferSeconds, THttpStream::TOptions{}.bufferBytes);
    if (stream_->WaitReady(wanted, kWaitSliceMs)) return true;
    if (std::chrono::steady_clock::now() >= deadline) {
      error_ = "The station sends too slowly to be played: " + url_;
      return false;
    }
  }
}

void TStreamOpener::OpenTrack() {
  track_ = std::make_unique<TMPTrack>(needInfoType_);
  // Reading the first frames may wait on the network (tags ahead of the
  // sound): bounded here, the stream is cancelled when it takes too long.
  auto opening = std::async(std::launch::async, [this] {
    try {
      track_->Open(ownedStream_.release(), msoOwnsStream, url_);
    } catch (const std::exception& error) {
      return std::string(error.what());
    }
    return std::string();
  });
  if (opening.wait_for(std::chrono::milliseconds(kOpenBoundMs)) != std::future_status::ready) {
    stream_->Cancel();
    opening.wait();
    error_ = "The station sends too slowly to be played: " + url_;
    return;
  }
  const std::string failure = opening.get();
  if (failure.empty()) return;
  // The stream's own account says more than the search for a frame.
  error_ = stream_->State() == TNetStreamState::kFailed ? stream_->Error() : url_ + ": " + failure;
}

}  // namespace orvana::player
