#include "app/playlist/text_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "app/files/file_reading.h"

namespace orvana::app {
namespace {

[[noreturn]] void Fail(const std::string& path, int error) {
  throw TFileReadError(path + ": " + std::strerror(error));
}

// False only for a file that does not exist.
bool Read(const std::string& path, std::string& bytes) {
  const TFileRead read = ReadRegularFile(path, kMaxTextFileBytes, TOversize::kRefuse, bytes);
  if (read.error == ENOENT || read.error == ENOTDIR) return false;
  if (read.error != 0) Fail(path, read.error);
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
  lines.reserve(std::size_t(std::count(text.begin(), text.end(), '\n')) + 1);
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
