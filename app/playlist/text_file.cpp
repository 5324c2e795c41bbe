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
  TLineReader reader(text);
  std::vector<std::string_view> lines;
  lines.reserve(reader.Remaining());
  while (reader.Remaining() > 0) lines.push_back(reader.Next());
  return lines;
}

TLineReader::TLineReader(std::string_view text)
    : rest_(text),
      remaining_(std::size_t(std::count(text.begin(), text.end(), '\n')) + (text.empty() || text.back() == '\n' ? 0 : 1)) {}

std::string_view TLineReader::Next() {
  if (remaining_ == 0) return {};
  --remaining_;
  const std::size_t end = rest_.find('\n');
  std::string_view line = rest_.substr(0, end);
  if (end != std::string_view::npos && !line.empty() && line.back() == '\r') line.remove_suffix(1);
  rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
  return line;
}

}  // namespace orvana::app
