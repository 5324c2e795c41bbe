#pragma once
// Reads playlists on the web away from the window's thread: each request on
// a worker thread of its own. Its result waits for the owner's thread, which
// is woken to collect it, so that the list only ever changes there.
#include <atomic>
#include <functional>
#include <list>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/playlist/web_playlist.h"

namespace orvana::app {

class TWebPlaylistLoader {
 public:
  using TDone = std::function<void(TWebPlaylistRead)>;

  // `wake` runs on a worker thread once its read has finished and must have
  // the owner's thread call DeliverFinished soon; it must not block.
  TWebPlaylistLoader(TFetchText fetch, std::function<void()> wake);
  // Cancels every read and waits for its thread; no `done` runs after.
  ~TWebPlaylistLoader();
  TWebPlaylistLoader(const TWebPlaylistLoader&) = delete;
  TWebPlaylistLoader& operator=(const TWebPlaylistLoader&) = delete;

  // For the reads started after.
  void SetFetch(TFetchText fetch) { fetch_ = std::move(fetch); }
  // Reads the lists (ReadWebPlaylists) on a thread of its own.
  void Load(std::vector<std::string> urls, TDone done);
  // On the owner's thread: the `done` of every finished read, in the order
  // they finished.
  void DeliverFinished();
  // Reads started and not yet delivered.
  int Pending() const { return static_cast<int>(requests_.size()); }

 private:
  struct TRequest {
    std::thread thread;
    TDone done;
    TWebPlaylistRead result;  // written by its thread before it is listed as finished
  };
  using TRequests = std::list<TRequest>;

  TFetchText fetch_;
  std::function<void()> wake_;
  std::atomic<bool> cancel_{false};
  TRequests requests_;  // the owner's thread alone changes the list
  std::mutex mutex_;
  std::vector<TRequests::iterator> finished_;  // under mutex_
};

}  // namespace orvana::app
