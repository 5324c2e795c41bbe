#include "app/playlist/playlist_model.h"

#include <QBrush>
#include <QColor>
#include <QCoreApplication>

namespace orvana::app {
namespace {

const char* const kColumnTitles[kColumnCount] = {
    QT_TRANSLATE_NOOP("Playlist", "タイトル"), QT_TRANSLATE_NOOP("Playlist", "アーティスト"),
    QT_TRANSLATE_NOOP("Playlist", "アルバム"), QT_TRANSLATE_NOOP("Playlist", "トラック"),
    QT_TRANSLATE_NOOP("Playlist", "時間"),     QT_TRANSLATE_NOOP("Playlist", "ジャンル"),
    QT_TRANSLATE_NOOP("Playlist", "年"),       QT_TRANSLATE_NOOP("Playlist", "コメント"),
    QT_TRANSLATE_NOOP("Playlist", "ファイル名"),
};

// The list keeps the genre's stored (Japanese) name; it is translated here.
constexpr int kGenreColumn = siGenre + 1;

}  // namespace

TPlaylistModel::TPlaylistModel(TPlaylist& playlist, QObject* parent)
    : QAbstractTableModel(parent), playlist_(playlist) {
  boldFont_.setBold(true);
  playlist_.SetListener(this);
}

TPlaylistModel::~TPlaylistModel() { playlist_.SetListener(nullptr); }

void TPlaylistModel::SetCurrentRow(int row) {
  if (row == currentRow_) return;
  const int old = currentRow_;
  currentRow_ = row;
  RepaintRow(old);
  RepaintRow(row);
}

void TPlaylistModel::RepaintRow(int row) {
  if (!playlist_.ValidIndex(row)) return;
  emit dataChanged(index(row, 0), index(row, kColumnCount - 1), {Qt::FontRole, Qt::BackgroundRole, Qt::ForegroundRole});
}

int TPlaylistModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : playlist_.Count(); }

int TPlaylistModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumnCount; }

QVariant TPlaylistModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || !playlist_.ValidIndex(index.row())) return {};
  const bool current = index.row() == currentRow_;
  switch (role) {
    case Qt::DisplayRole: {
      const std::string_view text = playlist_.Item(index.row()).Column(index.column());
      if (index.column() == kGenreColumn && !text.empty())
        return QCoreApplication::translate("Genres", std::string(text).c_str());
      return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    }
    case Qt::FontRole:
      return current ? QVariant(boldFont_) : QVariant();
    case Qt::BackgroundRole:
      return current ? QVariant(QBrush(QColor(232, 232, 232))) : QVariant();
    case Qt::ForegroundRole:
      return current ? QVariant(QBrush(QColor(0, 0, 255))) : QVariant();
    default:
      return {};
  }
}

QVariant TPlaylistModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kColumnCount) return {};
  return QCoreApplication::translate("Playlist", kColumnTitles[section]);
}

void TPlaylistModel::AboutToAppend(int first, int count) { beginInsertRows({}, first, first + count - 1); }

void TPlaylistModel::Appended() { endInsertRows(); }

// Removals may leave gaps anywhere, so the view starts over; the rows that
// stay keep their places on the screen through the view's scroll position.
void TPlaylistModel::AboutToRemove(const std::vector<int>&) { beginResetModel(); }

void TPlaylistModel::Removed() { endResetModel(); }

void TPlaylistModel::AboutToReorder() { emit layoutAboutToBeChanged(); }

void TPlaylistModel::Reordered(const std::vector<int>& newOrder) {
  std::vector<int> newRowOf(newOrder.size());
  for (std::size_t row = 0; row < newOrder.size(); ++row) newRowOf[static_cast<std::size_t>(newOrder[row])] = int(row);
  const QModelIndexList before = persistentIndexList();
  QModelIndexList after;
  after.reserve(before.size());
  for (const QModelIndex& old : before) {
    const bool known = old.row() >= 0 && std::size_t(old.row()) < newRowOf.size();
    after.append(known ? index(newRowOf[std::size_t(old.row())], old.column()) : QModelIndex());
  }
  changePersistentIndexList(before, after);
  emit layoutChanged();
}

void TPlaylistModel::AboutToReset() { beginResetModel(); }

void TPlaylistModel::Reset() { endResetModel(); }

void TPlaylistModel::ItemChanged(int row) {
  if (playlist_.ValidIndex(row)) emit dataChanged(index(row, 0), index(row, kColumnCount - 1));
}

}  // namespace orvana::app
