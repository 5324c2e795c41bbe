#pragma once
// Reading the playlist's text files (.m3u, the list file) whole, and cutting
// them into lines.
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace orvana::app {

class TFileReadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Texts larger than this are refused: no playlist comes near it, and a name
// that leads to a device or a huge file must not fill the memory.
inline constexpr std::size_t kMaxTextFileBytes = 256u << 20;

// The whole file. Throws TFileReadError, whose text names the file and the
// system's reason; anything but a regular file is refused without waiting
// (a FIFO would block forever).
std::string ReadTextFile(const std::string& path);

// As ReadTextFile, but a file that does not exist (nor its folder) gives false.
bool ReadTextFileIfPresent(const std::string& path, std::string& bytes);

// Lines ending in CR LF or LF; the last line needs no ending. An empty text
// has no lines.
std::vector<std::string_view> SplitLines(std::string_view text);

// The same lines one after another, without a list of them all (a list file
// of 10,000 songs has 100,000).
class TLineReader {
 public:
  explicit TLineReader(std::string_view text);
  std::size_t Remaining() const { return remaining_; }
  // The next line; empty once none remains.
  std::string_view Next();

 private:
  std::string_view rest_;
  std::size_t remaining_;
};

}  // namespace orvana::app
