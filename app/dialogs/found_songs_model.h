#pragma once
// The matches of the find box as a list: each row "title - artist" of its
// playlist item, as the playlist shows them. Texts are made only for the
// rows on the screen, so a long list of matches costs no more than a short one.
#include <QAbstractListModel>
#include <vector>

#include "app/playlist/playlist.h"

namespace orvana::app {

class TFoundSongsModel : public QAbstractListModel {
 public:
  explicit TFoundSongsModel(const TPlaylist& playlist, QObject* parent = nullptr);

  void SetRows(std::vector<int> rows);
  const std::vector<int>& Rows() const { return rows_; }
  // The playlist row shown at `match`; -1 outside the matches.
  int PlaylistRow(int match) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  const TPlaylist& playlist_;
  std::vector<int> rows_;
};

// "title - artist", or the title alone for an item without an artist.
QString FoundSongText(const TPlaylistItem& item);

}  // namespace orvana::app
