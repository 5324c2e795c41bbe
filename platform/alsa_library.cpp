#include "platform/alsa_library.h"

namespace orvana::platform {
namespace {

TAlsaLibrary Load() {
  const TLoadedLibrary library("libasound.so.2");
  TAlsaLibrary table;
  table.loaded = library.Loaded() ORVANA_ALSA_FUNCTIONS(ORVANA_LIBRARY_BIND);
  return table;
}

}  // namespace

const TAlsaLibrary& Alsa() {
  static const TAlsaLibrary table = Load();
  return table;
}

}  // namespace orvana::platform
