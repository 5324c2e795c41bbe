#pragma once
// The per-user folder where the running program keeps its lock and socket:
// $XDG_RUNTIME_DIR when it is usable, else <fallbackParent>/orvana-<uid>,
// made private (0700). A folder others could write into is never used.
#include <cstddef>
#include <string>

namespace orvana::app {

struct TRuntimeFolder {
  std::string path;     // empty: no usable folder
  std::string problem;  // why not, when path is empty
};

// Longest folder name that still leaves room for the socket names inside it
// (a Unix socket's path must fit in sockaddr_un::sun_path).
inline constexpr std::size_t kMaxRuntimeFolderLength = 76;

// xdgRuntimeDir is the value of $XDG_RUNTIME_DIR (nullptr when unset).
TRuntimeFolder FindRuntimeFolder(const char* xdgRuntimeDir, const std::string& fallbackParent = "/tmp");
TRuntimeFolder RuntimeFolderFromEnvironment();

}  // namespace orvana::app
