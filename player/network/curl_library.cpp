#include "player/network/curl_library.h"

#include <dlfcn.h>

namespace orvana::player {
namespace {

constexpr const char* kLibraryName = "libcurl.so.4";

// What stands in for a library that is not there: no handle is made, so
// nothing else is ever called but these.
TCurlLibrary Missing() {
  TCurlLibrary curl{};
  curl.global_init = [](long) { return CURLE_FAILED_INIT; };
  curl.easy_init = []() -> CURL* { return nullptr; };
  curl.easy_strerror = [](CURLcode) { return "libcurl cannot be loaded"; };
  curl.multi_init = []() -> CURLM* { return nullptr; };
  curl.slist_append = [](curl_slist*, const char*) -> curl_slist* { return nullptr; };
  curl.slist_free_all = [](curl_slist*) {};
  curl.easy_cleanup = [](CURL*) {};
  curl.multi_cleanup = [](CURLM*) { return CURLM_OK; };
  return curl;
}

template <typename Function>
bool Bind(void* library, const char* name, Function*& function) {
  function = reinterpret_cast<Function*>(::dlsym(library, name));
  return function != nullptr;
}

TCurlLibrary Load() {
  // Kept for the life of the process: curl's threads may outlive any owner.
  void* library = ::dlopen(kLibraryName, RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) return Missing();
  TCurlLibrary curl{};
  const bool bound =
      Bind(library, "curl_global_init", curl.global_init) && Bind(library, "curl_easy_init", curl.easy_init) &&
      Bind(library, "curl_easy_cleanup", curl.easy_cleanup) && Bind(library, "curl_easy_setopt", curl.easy_setopt) &&
      Bind(library, "curl_easy_getinfo", curl.easy_getinfo) &&
      Bind(library, "curl_easy_perform", curl.easy_perform) && Bind(library, "curl_easy_pause", curl.easy_pause) &&
      Bind(library, "curl_easy_strerror", curl.easy_strerror) && Bind(library, "curl_multi_init", curl.multi_init) &&
      Bind(library, "curl_multi_cleanup", curl.multi_cleanup) &&
      Bind(library, "curl_multi_add_handle", curl.multi_add_handle) &&
      Bind(library, "curl_multi_remove_handle", curl.multi_remove_handle) &&
      Bind(library, "curl_multi_perform", curl.multi_perform) && Bind(library, "curl_multi_poll", curl.multi_poll) &&
      Bind(library, "curl_multi_wakeup", curl.multi_wakeup) &&
      Bind(library, "curl_multi_info_read", curl.multi_info_read) &&
      Bind(library, "curl_slist_append", curl.slist_append) && Bind(library, "curl_slist_free_all", curl.slist_free_all);
  if (!bound || curl.global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) return Missing();
  curl.loaded = true;
  return curl;
}

}  // namespace

const TCurlLibrary& Curl() {
  static const TCurlLibrary curl = Load();  // thread-safe: a function-local static
  return curl;
}

}  // namespace orvana::player
