#pragma once
// FetchText: a small text from the web (a .pls or .m3u playlist), whole.
#include <atomic>
#include <cstddef>
#include <string>

namespace orvana::player {

// The body of `url` after at most five redirects, waiting up to `timeoutMs`
// in all. Raises EStreamError with one sentence when the address fails,
// answers with an error, sends more than `maxBytes`, or `*cancel` turns
// true (looked at every tenth of a second). Blocks: call it from a worker
// thread.
std::string FetchText(const std::string& url, std::size_t maxBytes, int timeoutMs,
                      const std::atomic<bool>* cancel = nullptr);

}  // namespace orvana::player
