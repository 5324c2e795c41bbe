#pragma once
// One row of the playlist: a caption (the title column) and its sub-items, in
// column order. Items made by the program have exactly kSubItemCount
// sub-items; an item read from a damaged list file may have fewer.
#include <string>
#include <vector>

namespace orvana::app {

// Sub-item positions (the caption is column 0, sub-item n is column n + 1).
enum TSubItem : int {
  siArtist = 0,
  siAlbum = 1,
  siTrack = 2,
  siTime = 3,
  siGenre = 4,
  siYear = 5,
  siComment = 6,
  siPath = 7,
};
constexpr int kSubItemCount = 8;
constexpr int kColumnCount = kSubItemCount + 1;
constexpr const char* kUnknownTime = "--:--";

struct TPlaylistItem {
  std::string caption;
  std::vector<std::string> subItems;

  // Column 0 is the caption; a sub-item the item lacks reads as empty.
  const std::string& Column(int column) const;
};

// The item's full path: its last sub-item (empty for an item without any).
const std::string& ItemPath(const TPlaylistItem& item);

}  // namespace orvana::app
