#pragma once
// One running program per files folder. The first start takes an exclusive
// lock on a file in the user's runtime folder and listens on a Unix socket
// beside it; a start that finds the lock taken hands its arguments over that
// socket and exits. The kernel drops the lock when its holder dies, so a
// socket file left behind by a killed program never blocks the next start,
// and two starts at the same moment cannot both win the lock.
//
// Plain POSIX: a second start decides all this before any Qt object exists.
#include <string>
#include <vector>

#include "app/desktop/runtime_folder.h"
#include "app/files/unique_fd.h"

namespace orvana::app {

enum class TInstanceRole {
  kPrimary,    // this start runs the program
  kSecondary,  // another program runs: hand the arguments over and exit
  kUnguarded,  // no instance guard could be set up: run, but say why
};

struct TInstanceClaim {
  TInstanceRole role = TInstanceRole::kUnguarded;
  // Primary: the lock, to be kept until the process ends (it must outlive the
  // server that gets the listener, which removes the socket file it names).
  TUniqueFd lock;
  // Primary: the listening socket (non-blocking, close-on-exec) for the
  // instance server; empty when it could not be made (problem says why).
  TUniqueFd listener;
  std::string socketPath;
  std::string problem;  // for a warning: why unguarded, or why not listening
};

// filesFolder is the folder where the program keeps its settings and lists;
// it names the instance, so that a portable copy elsewhere runs on its own.
TInstanceClaim ClaimInstance(const std::string& filesFolder, const TRuntimeFolder& runtime);

// Secondary: sends the arguments to the running program and waits for its
// acknowledgement, all within timeoutMs (the running one may still be
// setting up its socket, so connecting is retried until then). False, with
// the reason in *problem, when nothing answered or the arguments break the
// message's caps.
bool HandOver(const TInstanceClaim& claim, const std::vector<std::string>& arguments, int timeoutMs,
              std::string* problem = nullptr);

}  // namespace orvana::app
