#include "app/playlist/caption_order.h"

#include <QCollator>
#include <QString>

#include "app/playlist/merge_sort.h"

namespace orvana::app {

std::vector<int> CaptionSortOrder(const std::vector<TPlaylistItem>& items) {
  // The system locale's collation. Sort keys are made once per item, so
  // each comparison is a plain key comparison.
  const QCollator collator;
  std::vector<QCollatorSortKey> keys;
  keys.reserve(items.size());
  for (const TPlaylistItem& item : items)
    keys.push_back(collator.sortKey(QString::fromUtf8(item.Caption().data(), static_cast<qsizetype>(item.Caption().size()))));
  return MergeSortOrder(static_cast<int>(items.size()), [&keys](int a, int b) {
    const int result = keys[static_cast<std::size_t>(a)].compare(keys[static_cast<std::size_t>(b)]);
    return (result > 0) - (result < 0);
  });
}

}  // namespace orvana::app
