#include "player/network/curl_setup.h"

#include <mutex>

namespace orvana::player {

namespace {
constexpr const char* kUserAgent = "Orvana/0.1";
}  // namespace

void InitCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

TCurlEasy NewEasyHandle(const char* url, char (&errorText)[CURL_ERROR_SIZE]) {
  InitCurlOnce();
  TCurlEasy easy(curl_easy_init());
  if (!easy) return easy;
  CURL* handle = easy.get();
  errorText[0] = '\0';
  curl_easy_setopt(handle, CURLOPT_ERRORBUFFER, errorText);
  curl_easy_setopt(handle, CURLOPT_URL, url);
  // A redirect must not lead to file:// or any other protocol.
  curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(handle, CURLOPT_MAXREDIRS, kMaxRedirects);
  curl_easy_setopt(handle, CURLOPT_USERAGENT, kUserAgent);
  // Threads of their own: no signals, and no waiting for a name lookup
  // still running when a transfer is dropped.
  curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(handle, CURLOPT_QUICK_EXIT, 1L);
  return easy;
}

}  // namespace orvana::player
