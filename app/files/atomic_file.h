#pragma once
// Writing a file whole or not at all: the bytes go to a temporary file in
// the same folder, which is flushed to the disk and then renamed over the old
// file. A crash, a full disk or a refused write leaves the old file as it was.
#include <stdexcept>
#include <string>
#include <string_view>

namespace orvana::app {

class TFileWriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Throws TFileWriteError, whose text names the file and the system's reason.
// The folder is made (mode 0700) when it does not exist yet.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace orvana::app
