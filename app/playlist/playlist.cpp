#include "app/playlist/playlist.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace orvana::app {

void TPlaylist::Append(std::vector<TPlaylistItem> items) {
  if (items.empty()) return;
  if (listener_) listener_->AboutToAppend(Count(), static_cast<int>(items.size()));
  if (items_.empty()) {
    items_ = std::move(items);
  } else {
    items_.reserve(items_.size() + items.size());
    std::move(items.begin(), items.end(), std::back_inserter(items_));
  }
  if (listener_) listener_->Appended();
}

void TPlaylist::Remove(std::vector<int> indices) {
  std::erase_if(indices, [this](int index) { return !ValidIndex(index); });
  std::sort(indices.begin(), indices.end());
  indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
  if (indices.empty()) return;
  if (listener_) listener_->AboutToRemove(indices);
  // One pass that keeps the survivors in order.
  std::size_t kept = 0;
  std::size_t next = 0;
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (next < indices.size() && static_cast<std::size_t>(indices[next]) == i) {
      ++next;
      continue;
    }
    if (kept != i) items_[kept] = std::move(items_[i]);
    ++kept;
  }
  items_.resize(kept);
  if (listener_) listener_->Removed();
}

void TPlaylist::Reorder(const std::vector<int>& newOrder) {
  if (newOrder.size() != items_.size()) return;
  std::vector<bool> seen(items_.size(), false);
  for (const int oldIndex : newOrder) {
    if (!ValidIndex(oldIndex) || seen[static_cast<std::size_t>(oldIndex)]) return;
    seen[static_cast<std::size_t>(oldIndex)] = true;
  }
  if (listener_) listener_->AboutToReorder();
  std::vector<TPlaylistItem> reordered;
  reordered.reserve(items_.size());
  for (const int oldIndex : newOrder) reordered.push_back(std::move(items_[static_cast<std::size_t>(oldIndex)]));
  items_ = std::move(reordered);
  if (listener_) listener_->Reordered(newOrder);
}

void TPlaylist::Clear() { Assign({}); }

void TPlaylist::Assign(std::vector<TPlaylistItem> items) {
  if (listener_) listener_->AboutToReset();
  items_ = std::move(items);
  if (listener_) listener_->Reset();
}

void TPlaylist::SetItem(int index, TPlaylistItem item) {
  if (!ValidIndex(index)) return;
  items_[static_cast<std::size_t>(index)] = std::move(item);
  if (listener_) listener_->ItemChanged(index);
}

int TPlaylist::SetCaptionByPath(const std::string& path, const std::string& caption) {
  if (caption.empty()) return 0;
  int changed = 0;
  for (int index = 0; index < Count(); ++index) {
    TPlaylistItem& item = items_[static_cast<std::size_t>(index)];
    if (ItemPath(item) != path || item.Caption() == caption) continue;
    item.SetCaption(caption);
    ++changed;
    if (listener_) listener_->ItemChanged(index);
  }
  return changed;
}

int TPlaylist::IndexOfPath(const std::string& path) const {
  for (int index = 0; index < Count(); ++index)
    if (ItemPath(Item(index)) == path) return index;
  return -1;
}

}  // namespace orvana::app
