#pragma once
// Where the launcher hands over to the desktop program, which lives in a
// library of its own: a second start, which only passes its files on, then
// never loads Qt at all.
#include <string>
#include <vector>

#include "app/desktop/single_instance.h"

namespace orvana::app {

struct TDesktopStart {
  int argc = 0;
  char** argv = nullptr;
  std::vector<std::string> arguments;  // the files named, made absolute
  TInstanceClaim claim;                // this start's claim to run the program
};

using TDesktopMain = int (*)(TDesktopStart* start);
constexpr const char* kDesktopMainSymbol = "OrvanaDesktopMain";
constexpr const char* kDesktopLibraryName = "liborvana-desktop.so";

}  // namespace orvana::app

extern "C" int OrvanaDesktopMain(orvana::app::TDesktopStart* start);
