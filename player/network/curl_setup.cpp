#include "player/network/curl_setup.h"

namespace orvana::player {

namespace {
constexpr const char* kUserAgent = "Orvana/0.1";
}  // namespace

TCurlEasy NewEasyHandle(const char* url, char (&errorText)[CURL_ERROR_SIZE]) {
  if (!Curl().loaded) return {};
  TCurlEasy easy(Curl().curl_easy_init());
  if (!easy) return easy;
  CURL* handle = easy.get();
  errorText[0] = '\0';
  Curl().curl_easy_setopt(handle, CURLOPT_ERRORBUFFER, errorText);
  Curl().curl_easy_setopt(handle, CURLOPT_URL, url);
  // A redirect must not lead to file:// or any other protocol.
  Curl().curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
  Curl().curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  Curl().curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
  Curl().curl_easy_setopt(handle, CURLOPT_MAXREDIRS, kMaxRedirects);
  Curl().curl_easy_setopt(handle, CURLOPT_USERAGENT, kUserAgent);
  // Threads of their own: no signals, and no waiting for a name lookup
  // still running when a transfer is dropped.
  Curl().curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
  Curl().curl_easy_setopt(handle, CURLOPT_QUICK_EXIT, 1L);
  return easy;
}

}  // namespace orvana::player
