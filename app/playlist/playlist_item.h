#pragma once
// One row of the playlist: a caption (the title column) and its sub-items, in
// column order. Items made by the program have exactly kSubItemCount
// sub-items; an item read from a damaged list file may have fewer (or more).
//
// A list holds tens of thousands of items for as long as the program runs, so
// an item keeps its texts in one block of its own (their ends, then their
// bytes): one allocation and about its texts' size, not nine strings and a
// vector.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
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

class TPlaylistItem {
 public:
  TPlaylistItem() = default;
  TPlaylistItem(std::string_view caption, const std::vector<std::string>& subItems);
  // texts[0] is the caption, the rest the sub-items.
  explicit TPlaylistItem(std::span<const std::string_view> texts);
  TPlaylistItem(const TPlaylistItem& other);
  TPlaylistItem& operator=(const TPlaylistItem& other);
  TPlaylistItem(TPlaylistItem&&) noexcept = default;
  TPlaylistItem& operator=(TPlaylistItem&&) noexcept = default;

  std::string_view Caption() const { return Text(0); }
  int SubItemCount() const { return TextCount() - 1 > 0 ? TextCount() - 1 : 0; }
  // A sub-item the item lacks reads as empty.
  std::string_view SubItem(int index) const { return index < 0 ? std::string_view() : Text(index + 1); }
  // Column 0 is the caption; a sub-item the item lacks reads as empty.
  std::string_view Column(int column) const { return Text(column); }

  void SetCaption(std::string_view caption) { SetText(0, caption); }
  // Only a sub-item the item has; others are left as they are.
  void SetSubItem(int index, std::string_view text);

  bool operator==(const TPlaylistItem& other) const;

 private:
  std::uint32_t Head() const;
  int TextCount() const { return static_cast<int>(Head() / 4); }
  std::string_view Text(int index) const;
  void SetText(int index, std::string_view text);

  // [count * 4 + log2 of an end's size: uint32][each text's end: 1, 2 or 4
  // bytes][the texts' bytes]
  std::unique_ptr<char[]> block_;
};

// The item's full path: its last sub-item (empty for an item without any).
std::string_view ItemPath(const TPlaylistItem& item);

}  // namespace orvana::app
