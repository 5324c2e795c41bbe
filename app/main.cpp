// The program body. Whether another Orvana already runs is settled before
// anything of Qt is loaded, so that a second start (a file manager opening a
// file) hands its files over and ends at once; only the start that runs the
// program loads the desktop library.
#include <cstdio>

#include "app/desktop/absolute_arguments.h"
#include "app/desktop/single_instance.h"
#include "app/desktop_entry.h"
#include "app/launcher/desktop_library.h"
#include "app/settings/files_location.h"

namespace {

using namespace orvana::app;

constexpr int kHandOverTimeoutMs = 1000;

int HandOverAndEnd(const TInstanceClaim& claim, const std::vector<std::string>& arguments) {
  std::string problem;
  if (HandOver(claim, arguments, kHandOverTimeoutMs, &problem)) return 0;
  std::fprintf(stderr, "orvana: Orvana is already running, but it did not take the files: %s\n", problem.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  TDesktopStart start;
  start.argc = argc;
  start.argv = argv;
  start.arguments = AbsoluteArguments(std::vector<std::string>(argv + 1, argv + argc), CurrentFolder());
  start.claim = ClaimInstance(ProgramFilesFolder(), RuntimeFolderFromEnvironment());
  if (start.claim.role == TInstanceRole::kSecondary) return HandOverAndEnd(start.claim, start.arguments);
  if (!start.claim.problem.empty()) std::fprintf(stderr, "orvana: %s\n", start.claim.problem.c_str());

  std::string problem;
  const TDesktopMain desktopMain = LoadDesktopProgram(&problem);
  if (desktopMain == nullptr) {
    std::fprintf(stderr, "orvana: the desktop program cannot be loaded: %s\n", problem.c_str());
    return 1;
  }
  return desktopMain(&start);
}
