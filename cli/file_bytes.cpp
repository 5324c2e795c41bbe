#include "cli/file_bytes.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace orvana::cli {

bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes, std::string& error) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) {
    error = std::strerror(errno);
    return false;
  }
  bytes.clear();
  // A regular file's size is known: room for all of it up front. A pipe grows as it is read.
  struct stat status;
  if (fstat(fileno(file), &status) == 0 && S_ISREG(status.st_mode))
    bytes.reserve(static_cast<size_t>(status.st_size));
  uint8_t chunk[1 << 16];
  for (size_t got; (got = std::fread(chunk, 1, sizeof chunk, file)) > 0;)
    bytes.insert(bytes.end(), chunk, chunk + got);
  const bool failed = std::ferror(file);
  const int readError = errno;
  std::fclose(file);
  if (failed) {
    error = std::strerror(readError);
    return false;
  }
  return true;
}

}  // namespace orvana::cli
