#pragma once
// Reordering the playlist: shuffle, reverse and the sort by a column. The
// *Order functions only compute a new order (newOrder[newIndex] == oldIndex,
// for TPlaylist::Reorder); the *List functions also apply it in one step and
// return it, so that the caller can follow the current song with
// IndexAfterReorder.
#include <vector>

#include "app/playlist/playlist.h"
#include "app/playlist/random_generator.h"

namespace orvana::app {

// The list's sort driven by a comparison answering -1, 0 or +1 at random,
// each with probability 1/3.
std::vector<int> ShuffledOrder(int count, TRandom& random);

// The list's sort by the items' indices before it, descending.
std::vector<int> ReversedOrder(int count);

// Ascending and stable by column `column`: 0 is the caption, compared as the
// user's language sorts words; n is sub-item n - 1, compared byte by byte
// (so "--:--" comes before times and "10" before "2"). A column below 0
// keeps the order.
std::vector<int> ColumnOrder(const TPlaylist& playlist, int column);

std::vector<int> ShuffleList(TPlaylist& playlist, TRandom& random);
std::vector<int> ReverseList(TPlaylist& playlist);
// A column click: with fewer than 2 items nothing is sorted and the order is
// empty.
std::vector<int> SortListByColumn(TPlaylist& playlist, int column);

// Where the item that stood at `oldIndex` went. An index outside the order
// (a current index beyond the list) stays as it is.
int IndexAfterReorder(const std::vector<int>& newOrder, int oldIndex);

}  // namespace orvana::app
