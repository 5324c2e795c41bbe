#pragma once
// Reading files the user names without ever blocking: a FIFO or a device
// given as a file is refused, and a file is read only up to a bound.
#include <cstddef>
#include <string>

#include "app/files/unique_fd.h"

namespace orvana::app {

// True for a regular file (after links): what can be opened without waiting.
bool RegularFileExists(const std::string& path);

// Read-only and non-blocking; errno tells why it failed.
TUniqueFd OpenForReading(const std::string& path);

// What to do with a file larger than the bound.
enum class TOversize {
  kRefuse,     // EFBIG, without reading what the size already shows
  kKeepStart,  // the first `limit` bytes, marked as cut
};

struct TFileRead {
  int error = 0;     // errno; EISDIR for a folder, EINVAL for anything but a regular file
  bool cut = false;  // kKeepStart: the file went on past `limit`
};

// The regular file's bytes, at most `limit`; `bytes` is empty on an error.
TFileRead ReadRegularFile(const std::string& path, std::size_t limit, TOversize oversize, std::string& bytes);

}  // namespace orvana::app
