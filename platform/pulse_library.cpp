#include "platform/pulse_library.h"

namespace orvana::platform {
namespace {

TPulseLibrary Load() {
  const TLoadedLibrary library("libpulse.so.0");
  TPulseLibrary table;
  table.loaded = library.Loaded() ORVANA_PULSE_FUNCTIONS(ORVANA_LIBRARY_BIND);
  return table;
}

}  // namespace

const TPulseLibrary& Pulse() {
  static const TPulseLibrary table = Load();
  return table;
}

}  // namespace orvana::platform
