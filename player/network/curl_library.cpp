#include "player/network/curl_library.h"

namespace orvana::player {
namespace {

TCurlLibrary Load() {
  const platform::TLoadedLibrary library("libcurl.so.4");
  TCurlLibrary table;
  const bool bound = library.Loaded() ORVANA_CURL_FUNCTIONS(ORVANA_LIBRARY_BIND);
  table.loaded = bound && table.curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
  return table;
}

}  // namespace

const TCurlLibrary& Curl() {
  static const TCurlLibrary table = Load();
  return table;
}

}  // namespace orvana::player
