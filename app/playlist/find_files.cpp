#include "app/playlist/find_files.h"

#include <dirent.h>
#include <sys/stat.h>

#include <set>
#include <utility>

#include "app/playlist/file_mask.h"

namespace orvana::app {
namespace {

enum class TEntryKind { ekUnknown, ekFile, ekFolder, ekOther };

struct TEntry {
  std::string name;
  TEntryKind kind;
};

TEntryKind KindOfType(unsigned char type) {
  switch (type) {
    case DT_REG:
      return TEntryKind::ekFile;
    case DT_DIR:
      return TEntryKind::ekFolder;
    case DT_LNK:
    case DT_UNKNOWN:
      return TEntryKind::ekUnknown;  // needs a stat, which follows the link
    default:
      return TEntryKind::ekOther;
  }
}

class TDirectory {
 public:
  explicit TDirectory(const std::string& path) : dir_(::opendir(path.c_str())) {}
  ~TDirectory() {
    if (dir_) ::closedir(dir_);
  }
  TDirectory(const TDirectory&) = delete;
  TDirectory& operator=(const TDirectory&) = delete;
  DIR* Get() const { return dir_; }

 private:
  DIR* dir_;
};

class TFileFinder {
 public:
  TFileFinder(const std::vector<std::string_view>& masks, bool recurse) : recurse_(recurse) {
    for (const std::string_view mask : masks) patterns_.push_back(MaskPatterns(mask));
    found_.resize(masks.size());
  }

  void Search(const std::string& folder) {
    const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + '/';
    std::vector<TEntry> entries;
    if (!ReadFolder(prefix, entries)) return;
    for (std::size_t mask = 0; mask < patterns_.size(); ++mask) CollectMatches(prefix, entries, mask);
    if (!recurse_) return;
    for (TEntry& entry : entries) {
      if (entry.name == "." || entry.name == "..") continue;
      if (KindOf(prefix, entry) == TEntryKind::ekFolder) Search(prefix + entry.name);
    }
  }

  std::vector<std::vector<std::string>> TakeFound() { return std::move(found_); }

 private:
  // False for a folder that cannot be read or was searched already.
  bool ReadFolder(const std::string& prefix, std::vector<TEntry>& entries) {
    const TDirectory directory(prefix);
    if (!directory.Get()) return false;
    struct stat status {};
    if (::fstat(::dirfd(directory.Get()), &status) != 0) return false;
    if (!visited_.insert({status.st_dev, status.st_ino}).second) return false;
    while (const dirent* entry = ::readdir(directory.Get())) entries.push_back({entry->d_name, KindOfType(entry->d_type)});
    return true;
  }

  void CollectMatches(const std::string& prefix, std::vector<TEntry>& entries, std::size_t mask) {
    // One entry matching several patterns of a mask is found once.
    std::vector<bool> taken(entries.size(), false);
    for (const std::string_view pattern : patterns_[mask]) {
      for (std::size_t i = 0; i < entries.size(); ++i) {
        if (taken[i] || !MatchesPattern(entries[i].name, pattern)) continue;
        if (KindOf(prefix, entries[i]) != TEntryKind::ekFile) continue;
        taken[i] = true;
        found_[mask].push_back(prefix + entries[i].name);
      }
    }
  }

  static TEntryKind KindOf(const std::string& prefix, TEntry& entry) {
    if (entry.kind == TEntryKind::ekUnknown) {
      struct stat status {};
      if (::stat((prefix + entry.name).c_str(), &status) != 0) entry.kind = TEntryKind::ekOther;
      else if (S_ISREG(status.st_mode)) entry.kind = TEntryKind::ekFile;
      else if (S_ISDIR(status.st_mode)) entry.kind = TEntryKind::ekFolder;
      else entry.kind = TEntryKind::ekOther;
    }
    return entry.kind;
  }

  bool recurse_;
  std::vector<std::vector<std::string_view>> patterns_;
  std::vector<std::vector<std::string>> found_;
  std::set<std::pair<dev_t, ino_t>> visited_;
};

}  // namespace

std::vector<std::vector<std::string>> FindFilesByMasks(const std::string& folder,
                                                       const std::vector<std::string_view>& masks, bool recurse) {
  TFileFinder finder(masks, recurse);
  if (!folder.empty()) finder.Search(folder);
  return finder.TakeFound();
}

std::vector<std::string> FindFiles(const std::string& folder, std::string_view mask, bool recurse) {
  return std::move(FindFilesByMasks(folder, {mask}, recurse).front());
}

std::vector<std::string> FolderSongNames(const std::string& folder, bool searchSubfolders) {
  std::vector<std::vector<std::string>> found = FindFilesByMasks(folder, {"*.mp1", "*.mp2", "*.mp3"}, searchSubfolders);
  std::vector<std::string> names;
  for (std::vector<std::string>& list : found)
    for (std::string& name : list) names.push_back(std::move(name));
  return names;
}

}  // namespace orvana::app
