#pragma once
// Finding song files in a folder tree.
#include <string>
#include <string_view>
#include <vector>

namespace orvana::app {

// The regular files of `folder` (links to files count) whose names match
// `mask` (patterns separated by ";", each tried in turn), as full paths. The
// folder's own matches come first, in the order the file system lists them;
// then, with `recurse`, each subfolder's, found the same way. A missing or
// unreadable folder finds nothing; a folder reached again through a link is
// not searched twice, so link cycles end.
std::vector<std::string> FindFiles(const std::string& folder, std::string_view mask, bool recurse);

// FindFiles for several masks in one walk of the tree: one list per mask, each
// as FindFiles would give it.
std::vector<std::vector<std::string>> FindFilesByMasks(const std::string& folder,
                                                       const std::vector<std::string_view>& masks, bool recurse);

// What adding a folder adds: every ".mp1" of the tree, then every ".mp2",
// then every ".mp3".
std::vector<std::string> FolderSongNames(const std::string& folder, bool searchSubfolders);

}  // namespace orvana::app
