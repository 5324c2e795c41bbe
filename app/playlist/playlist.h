#pragma once
// The playlist's items in list order, and the one place that changes them.
// Every change is announced to the listener before and after, so that a view
// (the Qt model) can follow it; the operations are batched, so a command
// changes the list in one step and the view repaints once.
#include <string>
#include <vector>

#include "app/playlist/playlist_item.h"

namespace orvana::app {

class TPlaylistListener {
 public:
  virtual ~TPlaylistListener() = default;
  virtual void AboutToAppend(int first, int count) = 0;
  virtual void Appended() = 0;
  // `indices` ascending, each once.
  virtual void AboutToRemove(const std::vector<int>& indices) = 0;
  virtual void Removed() = 0;
  // newOrder[newIndex] == oldIndex, a permutation of 0..Count()-1.
  virtual void AboutToReorder() = 0;
  virtual void Reordered(const std::vector<int>& newOrder) = 0;
  virtual void AboutToReset() = 0;
  virtual void Reset() = 0;
  virtual void ItemChanged(int index) = 0;
};

class TPlaylist {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  bool Empty() const { return items_.empty(); }
  bool ValidIndex(int index) const { return index >= 0 && index < Count(); }
  const TPlaylistItem& Item(int index) const { return items_[static_cast<std::size_t>(index)]; }
  const std::vector<TPlaylistItem>& Items() const { return items_; }

  void SetListener(TPlaylistListener* listener) { listener_ = listener; }

  void Append(std::vector<TPlaylistItem> items);
  // Indices in any order; repeats and indices out of range are ignored.
  void Remove(std::vector<int> indices);
  // newOrder[newIndex] == oldIndex; anything but a permutation is ignored.
  void Reorder(const std::vector<int>& newOrder);
  void Clear();
  // Replaces every item at once (loading the list file).
  void Assign(std::vector<TPlaylistItem> items);
  void SetItem(int index, TPlaylistItem item);
  // Captions every item whose path is `path` (a station's name, once it is
  // known); an empty caption changes nothing. Returns how many changed.
  int SetCaptionByPath(const std::string& path, const std::string& caption);

  // The first item whose path is `path`; -1 when none has it.
  int IndexOfPath(const std::string& path) const;

 private:
  std::vector<TPlaylistItem> items_;
  TPlaylistListener* listener_ = nullptr;
};

}  // namespace orvana::app
