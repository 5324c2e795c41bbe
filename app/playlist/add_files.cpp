#include "app/playlist/add_files.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "app/playlist/find_files.h"
#include "app/files/path_text.h"
#include "app/playlist/read_tag_v1.h"
#include "app/playlist/song_item.h"
#include "platform/text_encoding.h"

namespace orvana::app {
namespace {

bool IsSongExtension(const std::string& extension) {
  return extension == ".mp1" || extension == ".mp2" || extension == ".mp3";
}

std::string CanonicalPath(const std::string& path) {
  std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr), &std::free);
  if (!resolved) throw TFileReadError(path + ": " + std::strerror(errno));
  return resolved.get();
}

std::vector<std::string> PlaylistFileNames(const std::string& path) {
  const std::string text = ReadTextFile(path);
  std::vector<std::string> names;
  for (const std::string_view line : SplitLines(text)) names.push_back(platform::FileTextToUtf8(line));
  return names;
}

// One add command. The new items are gathered first and reach the list at
// the end, so that a failing ".m3u" leaves the list untouched.
class TAddCommand {
 public:
  TAddCommand(const TPlaylist& playlist, bool append, bool readTags) : readTags_(readTags) {
    if (!append) return;
    for (const TPlaylistItem& item : playlist.Items()) present_.insert(ItemPath(item));
  }

  // Each call sees the names present when it starts: the list's, and those
  // added before it by this command (as if the list grew name by name).
  int Add(const std::vector<std::string>& names) {
    const std::size_t seenAdded = added_.size();
    int count = 0;
    for (const std::string& name : names) {
      const std::string extension = LowerCaseExtension(name);
      if (extension == ".m3u") {
        count += AddPlaylistFile(name);
        continue;
      }
      if (!IsSongExtension(extension) || IsPresent(name, seenAdded)) continue;
      firstAdded_.try_emplace(name, added_.size());
      added_.push_back(MakeItem(name));
      ++count;
    }
    return count;
  }

  std::vector<TPlaylistItem> TakeItems() { return std::move(added_); }

 private:
  int AddPlaylistFile(const std::string& path) {
    // Read once per command: a playlist that lists itself would never end.
    if (!expanded_.insert(CanonicalPath(path)).second) return 0;
    return Add(PlaylistFileNames(path));
  }

  bool IsPresent(const std::string& name, std::size_t seenAdded) const {
    if (present_.count(name) != 0) return true;
    const auto first = firstAdded_.find(name);
    return first != firstAdded_.end() && first->second < seenAdded;
  }

  TPlaylistItem MakeItem(const std::string& name) const {
    TTagRecord record;
    if (readTags_ && ReadTagV1(name, record)) return ItemFromTag(name, record);
    return ItemFromFileName(name);
  }

  bool readTags_;
  // Paths are compared exactly: Linux file names are case-sensitive.
  std::unordered_set<std::string_view> present_;
  std::vector<TPlaylistItem> added_;
  std::unordered_map<std::string, std::size_t> firstAdded_;
  std::unordered_set<std::string> expanded_;
};

}  // namespace

int AddFiles(TPlaylist& playlist, const std::vector<std::string>& names, bool append, bool readTags,
             int& totalSeconds) {
  if (names.empty()) return 0;
  TAddCommand command(playlist, append, readTags);
  const int count = command.Add(names);
  if (append) {
    playlist.Append(command.TakeItems());
  } else {
    playlist.Assign(command.TakeItems());
    totalSeconds = 0;
  }
  return count;
}

int AddFolder(TPlaylist& playlist, const std::string& folder, bool searchSubfolders, bool readTags, bool append,
              int& totalSeconds) {
  return AddFiles(playlist, FolderSongNames(folder, searchSubfolders), append, readTags, totalSeconds);
}

}  // namespace orvana::app
