#pragma once
// libcurl, loaded the first time a station or a playlist on the web is
// opened rather than with the program: it and the libraries it brings (TLS,
// Kerberos, LDAP, SSH) cost megabytes of memory and the start-up's time
// that a player of files never uses.
#include <curl/curl.h>

#include "platform/loaded_library.h"

#define ORVANA_CURL_FUNCTIONS(X)                                                                                     \
  X(curl_global_init) X(curl_easy_init) X(curl_easy_cleanup) X(curl_easy_setopt) X(curl_easy_getinfo)                 \
  X(curl_easy_perform) X(curl_easy_pause) X(curl_easy_strerror) X(curl_multi_init) X(curl_multi_cleanup)              \
  X(curl_multi_add_handle) X(curl_multi_remove_handle) X(curl_multi_perform) X(curl_multi_poll) X(curl_multi_wakeup)  \
  X(curl_multi_info_read) X(curl_slist_append) X(curl_slist_free_all)

namespace orvana::player {

struct TCurlLibrary {
  bool loaded = false;
  ORVANA_CURL_FUNCTIONS(ORVANA_LIBRARY_MEMBER)
};

// Loaded and initialised once per process, from whichever thread comes
// first; nothing but `loaded` may be used when it is false.
const TCurlLibrary& Curl();

}  // namespace orvana::player
