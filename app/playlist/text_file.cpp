#include "app/playlist/text_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "app/playlist/file_descriptor.h"

namespace orvana::app {
namespace {

[[noreturn]] void Fail(const std::string& path, int error) {
  throw TFileReadError(path + ": " + std::strerror(error));
}

// False only for a file that does not exist.
bool Read(const std::string& path, std::string& bytes) {
  const TFileDescriptor file = OpenForReading(path);
  if (!file.IsOpen()) {
    if (errno == ENOENT || errno == ENOTDIR) return false;
    Fail(path, errno);
  }
  struct stat status {};
  if (::fstat(file.Get(), &status) != 0) Fail(path, errno);
  if (S_ISDIR(status.st_mode)) Fail(path, EISDIR);
  if (!S_ISREG(status.st_mode)) Fail(path, EINVAL);
  if (static_cast<std::uintmax_t>(status.st_size) > kMaxTextFileBytes) Fail(path, EFBIG);
  bytes.resize(static_cast<std::size_t>(status.st_size));
  std::size_t filled = 0;
  // The size may change under us: read what is there, up to the limit.
  for (;;) {
    if (filled == bytes.size()) {
      if (filled > kMaxTextFileBytes) Fail(path, EFBIG);
      bytes.resize(std::min(kMaxTextFileBytes + 1, filled + 65536));
    }
    const ssize_t got = ::read(file.Get(), bytes.data() + filled, bytes.size() - filled);
    if (got < 0) {
      if (errno == EINTR) continue;
      Fail(path, errno);
    }
    if (got == 0) break;
    filled += static_cast<std::size_t>(got);
  }
  bytes.resize(filled);
  return true;
}

}  // namespace

std::string ReadTextFile(const std::string& path) {
  std::string bytes;
  if (!Read(path, bytes)) Fail(path, ENOENT);
  return bytes;
}

bool ReadTextFileIfPresent(const std::string& path, std::string& bytes) { return Read(path, bytes); }

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (end != std::string_view::npos && !line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

}  // namespace orvana::app
