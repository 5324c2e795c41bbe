#pragma once
// libcurl, loaded the first time a station or a playlist on the web is
// opened rather than with the program: it and the libraries it brings (TLS,
// Kerberos, LDAP, SSH) cost megabytes of memory and the start-up's time
// that a player of files never uses.
#include <curl/curl.h>

namespace orvana::player {

struct TCurlLibrary {
  bool loaded = false;
  CURLcode (*global_init)(long flags);
  CURL* (*easy_init)();
  void (*easy_cleanup)(CURL* easy);
  CURLcode (*easy_setopt)(CURL* easy, CURLoption option, ...);
  CURLcode (*easy_getinfo)(CURL* easy, CURLINFO info, ...);
  CURLcode (*easy_perform)(CURL* easy);
  CURLcode (*easy_pause)(CURL* easy, int bitmask);
  const char* (*easy_strerror)(CURLcode code);
  CURLM* (*multi_init)();
  CURLMcode (*multi_cleanup)(CURLM* multi);
  CURLMcode (*multi_add_handle)(CURLM* multi, CURL* easy);
  CURLMcode (*multi_remove_handle)(CURLM* multi, CURL* easy);
  CURLMcode (*multi_perform)(CURLM* multi, int* running);
  CURLMcode (*multi_poll)(CURLM* multi, curl_waitfd* extra, unsigned count, int timeoutMs, int* ready);
  CURLMcode (*multi_wakeup)(CURLM* multi);
  CURLMsg* (*multi_info_read)(CURLM* multi, int* queued);
  curl_slist* (*slist_append)(curl_slist* list, const char* text);
  void (*slist_free_all)(curl_slist* list);
};

// The library, loaded and initialised once per process, from whichever
// thread comes first. Where it cannot be loaded, `loaded` is false and the
// functions stand in: no handle is ever made, and every error reads
// "libcurl cannot be loaded".
const TCurlLibrary& Curl();

}  // namespace orvana::player
