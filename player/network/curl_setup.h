#pragma once
// What every transfer of the player shares: easy handles that clean up
// after themselves, and the options every request carries (who asks, where
// redirects may lead).
#include <memory>

#include "player/network/curl_library.h"

namespace orvana::player {

struct TCurlEasyCleanup {
  void operator()(CURL* easy) const { Curl().curl_easy_cleanup(easy); }
};
using TCurlEasy = std::unique_ptr<CURL, TCurlEasyCleanup>;

struct TCurlMultiCleanup {
  void operator()(CURLM* multi) const { Curl().curl_multi_cleanup(multi); }
};
using TCurlMulti = std::unique_ptr<CURLM, TCurlMultiCleanup>;

// At most this many redirects are followed.
inline constexpr long kMaxRedirects = 5;

// A new easy handle for `url` (nullptr when libcurl has no memory left or
// cannot be loaded):
// http and https only, also after redirects; the system's certificates;
// the player's User-Agent; curl's error text into `errorText`, which must
// outlive the handle.
TCurlEasy NewEasyHandle(const char* url, char (&errorText)[CURL_ERROR_SIZE]);

}  // namespace orvana::player
