#pragma once
// ListView1: the playlist as a report list with whole-row, multiple
// selection, read-only cells and clickable column headers.
#include <QTreeView>
#include <vector>

namespace orvana::app {

class TPlaylistModel;

// Whether a row lies outside the rows shown from `topRow` on (the row just
// below the last whole one still counts as shown).
bool RowOutsideView(int row, int topRow, int visibleRows);

// The row Enter plays: the focused row, which the keys may have moved off
// the selection (or onto a row with none); within the selection, the
// selection's first row. -1 for none.
int RowToPlay(int focusedRow, const std::vector<int>& selectedRows);

class TPlaylistView : public QTreeView {
  Q_OBJECT

 public:
  explicit TPlaylistView(QWidget* parent = nullptr);

  void SetPlaylistModel(TPlaylistModel* model);
  // Brings the row to about the middle of the view when it is out of sight,
  // then repaints (the current-item colours may have moved).
  void ScrollIntoView(int row);
  int TopRow() const;
  int VisibleRows() const;
  // Rows selected now, ascending.
  std::vector<int> SelectedRows() const;
  bool HasSelection() const;
  // RowToPlay of the focused row and the selection.
  int RowToPlay() const;

 signals:
  void rowDoubleClicked(int row);
  void columnClicked(int column);
  void selectedRowsChanged();

 private:
  TPlaylistModel* model_ = nullptr;
};

}  // namespace orvana::app
