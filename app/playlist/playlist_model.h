#pragma once
// The playlist as the list view sees it: columns "タイトル" .. "ファイル名", and
// the current item drawn light grey, blue and bold. It follows every change
// of the TPlaylist it watches, keeping the selection through reorderings.
#include <QAbstractTableModel>
#include <QFont>

#include "app/playlist/playlist.h"

namespace orvana::app {

class TPlaylistModel : public QAbstractTableModel, public TPlaylistListener {
  Q_OBJECT

 public:
  explicit TPlaylistModel(TPlaylist& playlist, QObject* parent = nullptr);
  ~TPlaylistModel() override;

  // The row drawn as the current item; any other value draws none.
  void SetCurrentRow(int row);
  int CurrentRow() const { return currentRow_; }
  void SetBoldFont(const QFont& font) { boldFont_ = font; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // TPlaylistListener
  void AboutToAppend(int first, int count) override;
  void Appended() override;
  void AboutToRemove(const std::vector<int>& indices) override;
  void Removed() override;
  void AboutToReorder() override;
  void Reordered(const std::vector<int>& newOrder) override;
  void AboutToReset() override;
  void Reset() override;
  void ItemChanged(int index) override;

 private:
  void RepaintRow(int row);

  TPlaylist& playlist_;
  int currentRow_ = -1;
  QFont boldFont_;
};

}  // namespace orvana::app
