#include "app/playlist/playlist_view.h"

#include <QHeaderView>
#include <QScrollBar>
#include <algorithm>

#include "app/playlist/playlist_model.h"

namespace orvana::app {

bool RowOutsideView(int row, int topRow, int visibleRows) { return row < topRow || row > topRow + visibleRows; }

int RowToPlay(int focusedRow, const std::vector<int>& selectedRows) {
  if (selectedRows.empty()) return focusedRow;
  const bool onSelection = std::find(selectedRows.begin(), selectedRows.end(), focusedRow) != selectedRows.end();
  return focusedRow < 0 || onSelection ? selectedRows.front() : focusedRow;
}

TPlaylistView::TPlaylistView(QWidget* parent) : QTreeView(parent) {
  setObjectName("ListView1");
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSortingEnabled(false);
  setAcceptDrops(false);  // drops go to the window
  header()->setSectionsClickable(true);
  header()->setSectionsMovable(false);
  header()->setStretchLastSection(false);
  header()->setSortIndicatorShown(false);
  header()->setDefaultSectionSize(64);
  connect(header(), &QHeaderView::sectionClicked, this, &TPlaylistView::columnClicked);
  connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
    if (index.isValid()) emit rowDoubleClicked(index.row());
  });
}

void TPlaylistView::SetPlaylistModel(TPlaylistModel* model) {
  model_ = model;
  setModel(model);
  connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { emit selectedRowsChanged(); });
  connect(model, &QAbstractItemModel::modelReset, this, [this] { emit selectedRowsChanged(); });
}

int TPlaylistView::TopRow() const {
  const QModelIndex top = indexAt(QPoint(1, 1));
  return top.isValid() ? top.row() : 0;
}

int TPlaylistView::VisibleRows() const {
  const int rowHeight = std::max(1, sizeHintForRow(0));
  return viewport()->height() / rowHeight;
}

void TPlaylistView::ScrollIntoView(int row) {
  if (model_ == nullptr || model_->rowCount() == 0) return;
  if (row >= 0 && row < model_->rowCount() && RowOutsideView(row, TopRow(), VisibleRows())) {
    scrollTo(model_->index(row, 0), QAbstractItemView::PositionAtCenter);
    horizontalScrollBar()->setValue(horizontalScrollBar()->minimum());
  }
  viewport()->update();
}

std::vector<int> TPlaylistView::SelectedRows() const {
  std::vector<int> rows;
  if (selectionModel() == nullptr) return rows;
  for (const QModelIndex& index : selectionModel()->selectedRows()) rows.push_back(index.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

int TPlaylistView::RowToPlay() const {
  const QModelIndex focused = currentIndex();
  return orvana::app::RowToPlay(focused.isValid() ? focused.row() : -1, SelectedRows());
}

bool TPlaylistView::HasSelection() const { return selectionModel() != nullptr && selectionModel()->hasSelection(); }

}  // namespace orvana::app
