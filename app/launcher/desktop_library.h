#pragma once
// Finding and loading the desktop program's library: beside the executable
// (a build tree, a portable copy), else in ../lib/orvana/ (an installed one).
#include <string>
#include <vector>

#include "app/desktop_entry.h"

namespace orvana::app {

// The places looked at, in order, for an executable at `executablePath`.
std::vector<std::string> DesktopLibraryCandidates(const std::string& executablePath);

// The entry point, or nullptr with the loader's reasons in *problem.
TDesktopMain LoadDesktopProgram(std::string* problem);

}  // namespace orvana::app
