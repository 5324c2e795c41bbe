#pragma once
// The order of items by caption, as the user's language sorts words.
#include <vector>

#include "app/playlist/playlist_item.h"

namespace orvana::app {

// Stable; newOrder[newIndex] == oldIndex.
std::vector<int> CaptionSortOrder(const std::vector<TPlaylistItem>& items);

}  // namespace orvana::app
