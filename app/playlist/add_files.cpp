#include "app/playlist/add_files.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "app/files/path_text.h"
#include "app/playlist/find_files.h"
#include "app/playlist/read_tag_v1.h"
#include "app/playlist/song_item.h"
#include "app/playlist/stream_address.h"

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

// A local entry as a file name: a file:// address decoded, a relative name
// joined to the folder of the list that holds it. Empty for what names no
// file here (another scheme's address, a NUL that would cut the name).
std::string LocalName(const std::string& location, std::string_view folder) {
  if (location.find('\0') != std::string::npos) return {};
  if (const std::optional<std::string> path = LocalPathOfFileUri(location)) return *path;
  if (location.find("://") != std::string::npos) return {};
  if (folder.empty() || location.front() == '/') return location;
  return std::string(folder) + location;
}

// One add command. The new items are gathered first and reach the list at
// the end, so that a failing playlist file leaves the list untouched.
class TAddCommand {
 public:
  TAddCommand(const TPlaylist& playlist, bool append, bool readTags) : readTags_(readTags) {
    if (!append) return;
    for (const TPlaylistItem& item : playlist.Items()) present_.insert(ItemPath(item));
  }

  // Each call sees the names present when it starts: the list's, and those
  // added before it by this command (as if the list grew name by name).
  // `folder` is that of the playlist file holding the entries, with its "/".
  int Add(const std::vector<TPlaylistEntry>& entries, std::string_view folder) {
    const std::size_t seenAdded = added_.size();
    int count = 0;
    for (const TPlaylistEntry& entry : entries)
      if (!entry.location.empty()) count += AddEntry(entry, folder, seenAdded);
    return count;
  }

  std::vector<TPlaylistItem> TakeItems() { return std::move(added_); }
  std::vector<std::string> TakeWebPlaylists() { return std::move(webPlaylists_); }

 private:
  int AddEntry(const TPlaylistEntry& entry, std::string_view folder, std::size_t seenAdded) {
    // Lists pad addresses with blanks; no address holds one.
    const std::string_view address = WithoutBlanks(entry.location);
    if (IsWebPlaylistAddress(address)) {
      if (seenWebPlaylists_.insert(std::string(address)).second) webPlaylists_.emplace_back(address);
      return 0;
    }
    if (IsStationAddress(address)) return AddItem(ItemFromAddress(std::string(address), entry.title), seenAdded);
    const std::string name = LocalName(entry.location, folder);
    const std::string extension = LowerCaseExtension(name);
    if (IsPlaylistExtension(extension)) return AddPlaylistFile(name);
    if (!IsSongExtension(extension)) return 0;
    return AddItem(MakeSongItem(name), seenAdded);
  }

  int AddPlaylistFile(const std::string& path) {
    // Read once per command: a playlist that lists itself would never end.
    if (!expanded_.insert(CanonicalPath(path)).second) return 0;
    return Add(ParsePlaylistText(ReadTextFile(path), LowerCaseExtension(path)), FolderPart(path));
  }

  int AddItem(TPlaylistItem item, std::size_t seenAdded) {
    const std::string path(ItemPath(item));
    if (IsPresent(path, seenAdded)) return 0;
    firstAdded_.try_emplace(path, added_.size());
    added_.push_back(std::move(item));
    return 1;
  }

  bool IsPresent(const std::string& name, std::size_t seenAdded) const {
    if (present_.count(name) != 0) return true;
    const auto first = firstAdded_.find(name);
    return first != firstAdded_.end() && first->second < seenAdded;
  }

  TPlaylistItem MakeSongItem(const std::string& name) const {
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
  std::vector<std::string> webPlaylists_;
  std::unordered_set<std::string> seenWebPlaylists_;
};

}  // namespace

TAddResult AddEntries(TPlaylist& playlist, const std::vector<TPlaylistEntry>& entries, bool append, bool readTags,
                      int& totalSeconds) {
  if (entries.empty()) return {};
  TAddCommand command(playlist, append, readTags);
  TAddResult result;
  result.added = command.Add(entries, {});
  result.webPlaylists = command.TakeWebPlaylists();
  if (append) {
    playlist.Append(command.TakeItems());
  } else {
    playlist.Assign(command.TakeItems());
    totalSeconds = 0;
  }
  return result;
}

TAddResult AddFiles(TPlaylist& playlist, const std::vector<std::string>& names, bool append, bool readTags,
                    int& totalSeconds) {
  std::vector<TPlaylistEntry> entries;
  entries.reserve(names.size());
  for (const std::string& name : names) entries.push_back({name, {}});
  return AddEntries(playlist, entries, append, readTags, totalSeconds);
}

int AddFolder(TPlaylist& playlist, const std::string& folder, bool searchSubfolders, bool readTags, bool append,
              int& totalSeconds) {
  return AddFiles(playlist, FolderSongNames(folder, searchSubfolders), append, readTags, totalSeconds).added;
}

}  // namespace orvana::app
