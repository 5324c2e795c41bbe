#pragma once
// File arguments as the running program must see them: a second start may
// run in any folder, so its relative names are made absolute against its own.
#include <string>
#include <vector>

namespace orvana::app {

// Each argument made absolute against cwd and lexically normalised ("a/../b"
// is "b"; no file is looked at, so names that do not exist are kept). URLs
// ("scheme://...") pass unchanged; empty arguments are dropped. With an empty
// cwd (it could not be read) relative names stay as they are.
std::vector<std::string> AbsoluteArguments(const std::vector<std::string>& arguments, const std::string& cwd);

// The current folder, or empty when it cannot be read (it was removed).
std::string CurrentFolder();

}  // namespace orvana::app
