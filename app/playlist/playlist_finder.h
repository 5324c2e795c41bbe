#pragma once
// The playlist's items whose title (a station's caption), artist, album or
// file name hold every word of a query. Each item's texts are folded once,
// when the finder is made; a query is then a plain scan of those copies. The
// copies live as long as the finder: make one while a find box is open.
#include <QString>
#include <vector>

#include "app/playlist/playlist.h"

namespace orvana::app {

class TPlaylistFinder {
 public:
  explicit TPlaylistFinder(const TPlaylist& playlist);

  // After the playlist changed: rows inserted at `first`, rows changed in
  // place (true when a folded text differs), or anything else (removals,
  // reorderings, a new list).
  void Inserted(int first, int count);
  bool Changed(int first, int last);
  void RefoldAll();

  // Matching rows in list order; an empty query matches every row.
  std::vector<int> Find(const QString& query) const;

 private:
  QString FoldedItem(int row) const;

  const TPlaylist& playlist_;
  std::vector<QString> folded_;  // one per row, the fields joined by a newline
};

}  // namespace orvana::app
