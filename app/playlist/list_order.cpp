#include "app/playlist/list_order.h"

#include <numeric>

#include "app/playlist/caption_order.h"
#include "app/playlist/merge_sort.h"

namespace orvana::app {
namespace {

std::vector<int> Applied(TPlaylist& playlist, std::vector<int> newOrder) {
  playlist.Reorder(newOrder);
  return newOrder;
}

std::vector<int> SubItemOrder(const TPlaylist& playlist, int column) {
  std::vector<std::string_view> texts;
  texts.reserve(static_cast<std::size_t>(playlist.Count()));
  for (const TPlaylistItem& item : playlist.Items()) texts.push_back(item.Column(column));
  return MergeSortOrder(playlist.Count(), [&texts](int a, int b) {
    // string_view compares bytes as unsigned values: a plain byte order.
    const int result = texts[static_cast<std::size_t>(a)].compare(texts[static_cast<std::size_t>(b)]);
    return (result > 0) - (result < 0);
  });
}

}  // namespace

std::vector<int> ShuffledOrder(int count, TRandom& random) {
  return MergeSortOrder(count, [&random](int, int) { return random.Below(3) - 1; });
}

std::vector<int> ReversedOrder(int count) {
  return MergeSortOrder(count, [](int a, int b) { return a == b ? 0 : a < b ? 1 : -1; });
}

std::vector<int> ColumnOrder(const TPlaylist& playlist, int column) {
  if (column < 0) {
    std::vector<int> unchanged(static_cast<std::size_t>(playlist.Count()));
    std::iota(unchanged.begin(), unchanged.end(), 0);
    return unchanged;
  }
  return column == 0 ? CaptionSortOrder(playlist.Items()) : SubItemOrder(playlist, column);
}

std::vector<int> ShuffleList(TPlaylist& playlist, TRandom& random) {
  return Applied(playlist, ShuffledOrder(playlist.Count(), random));
}

std::vector<int> ReverseList(TPlaylist& playlist) { return Applied(playlist, ReversedOrder(playlist.Count())); }

std::vector<int> SortListByColumn(TPlaylist& playlist, int column) {
  if (playlist.Count() < 2) return {};
  return Applied(playlist, ColumnOrder(playlist, column));
}

int IndexAfterReorder(const std::vector<int>& newOrder, int oldIndex) {
  for (std::size_t newIndex = 0; newIndex < newOrder.size(); ++newIndex)
    if (newOrder[newIndex] == oldIndex) return static_cast<int>(newIndex);
  return oldIndex;
}

}  // namespace orvana::app
