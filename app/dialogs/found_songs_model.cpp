#include "app/dialogs/found_songs_model.h"

namespace orvana::app {

QString FoundSongText(const TPlaylistItem& item) {
  const std::string_view artist = item.SubItem(siArtist);
  std::string text(item.Caption());
  if (!artist.empty()) text.append(" - ").append(artist);
  return QString::fromStdString(text);
}

TFoundSongsModel::TFoundSongsModel(const TPlaylist& playlist, QObject* parent)
    : QAbstractListModel(parent), playlist_(playlist) {}

void TFoundSongsModel::SetRows(std::vector<int> rows) {
  beginResetModel();
  rows_ = std::move(rows);
  endResetModel();
}

int TFoundSongsModel::PlaylistRow(int match) const {
  if (match < 0 || std::size_t(match) >= rows_.size()) return -1;
  const int row = rows_[std::size_t(match)];
  return playlist_.ValidIndex(row) ? row : -1;
}

int TFoundSongsModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(rows_.size()); }

QVariant TFoundSongsModel::data(const QModelIndex& index, int role) const {
  const int row = PlaylistRow(index.row());
  if (role != Qt::DisplayRole || row < 0) return {};
  return FoundSongText(playlist_.Item(row));
}

}  // namespace orvana::app
