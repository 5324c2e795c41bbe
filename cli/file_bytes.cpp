#include "cli/file_bytes.h"

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
  uint8_t chunk[1 << 16];
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.insert(bytes.end(), chunk, chunk + got);
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
