#pragma once
// Small texts from the web (the playlists stations publish, a few KB), read
// whole.
#include <atomic>
#include <cstddef>
#include <string>

#include "player/stream.h"

namespace orvana::player {

// The body at `url`, redirects followed. Blocks: the caller runs it on a
// worker thread. Raises EStreamError with one clear sentence on any failure,
// when the body passes `maxBytes`, after `timeoutMs`, or once `*cancel` is set.
std::string FetchText(const std::string& url, std::size_t maxBytes, int timeoutMs,
                      const std::atomic<bool>* cancel = nullptr);

}  // namespace orvana::player
