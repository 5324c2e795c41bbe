#include "app/playlist/web_playlist_loader.h"

#include <iterator>

namespace orvana::app {

TWebPlaylistLoader::TWebPlaylistLoader(TFetchText fetch, std::function<void()> wake)
    : fetch_(std::move(fetch)), wake_(std::move(wake)) {}

TWebPlaylistLoader::~TWebPlaylistLoader() {
  cancel_ = true;
  for (TRequest& request : requests_) request.thread.join();
}

void TWebPlaylistLoader::Load(std::vector<std::string> urls, TDone done) {
  requests_.emplace_back();
  const TRequests::iterator request = std::prev(requests_.end());
  request->done = std::move(done);
  request->thread = std::thread([this, request, urls = std::move(urls), fetch = fetch_] {
    TWebPlaylistRead result = ReadWebPlaylists(urls, fetch, &cancel_);
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      request->result = std::move(result);
      finished_.push_back(request);
    }
    if (!cancel_) wake_();
  });
}

void TWebPlaylistLoader::DeliverFinished() {
  std::vector<TRequests::iterator> finished;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    finished.swap(finished_);
  }
  for (const TRequests::iterator request : finished) {
    request->thread.join();
    TDone done = std::move(request->done);
    TWebPlaylistRead result = std::move(request->result);
    requests_.erase(request);
    // Last: `done` may start another read.
    done(std::move(result));
  }
}

}  // namespace orvana::app
