#include "app/playlist/playlist_item.h"

namespace orvana::app {
namespace {

const std::string kEmpty;

}  // namespace

const std::string& TPlaylistItem::Column(int column) const {
  if (column == 0) return caption;
  const int subItem = column - 1;
  if (subItem < 0 || subItem >= static_cast<int>(subItems.size())) return kEmpty;
  return subItems[static_cast<std::size_t>(subItem)];
}

const std::string& ItemPath(const TPlaylistItem& item) {
  return item.subItems.empty() ? kEmpty : item.subItems.back();
}

}  // namespace orvana::app
