#include "app/dialogs/find_song_dialog.h"

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace orvana::app {
namespace {

constexpr int kClientWidth = 440;
constexpr int kClientHeight = 360;

bool MovesInTheList(int key) {
  return key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown;
}

}  // namespace

TdlgFindSong::TdlgFindSong(const TPlaylist& playlist, const QAbstractItemModel& listModel, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      playlist_(playlist),
      finder_(playlist),
      found_(new TFoundSongsModel(playlist, this)) {
  setObjectName("dlgFindSong");
  setWindowTitle(QCoreApplication::translate("FindSong", "曲を探す"));
  edtFind = new QLineEdit(this);
  edtFind->setObjectName("edtFind");
  edtFind->setPlaceholderText(QCoreApplication::translate("FindSong", "タイトル、アーティスト、アルバム、ファイル名"));
  edtFind->setClearButtonEnabled(true);
  edtFind->installEventFilter(this);
  lstFound = new QListView(this);
  lstFound->setObjectName("lstFound");
  lstFound->setModel(found_);
  lstFound->setUniformItemSizes(true);  // no row measured but those shown
  lstFound->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lstFound->setSelectionMode(QAbstractItemView::SingleSelection);
  lstFound->setFocusPolicy(Qt::ClickFocus);  // the keys stay with the edit
  lblCount = new QLabel(this);
  lblCount->setObjectName("lblCount");

  auto* buttons = new QDialogButtonBox(this);
  btnPlay = buttons->addButton(QCoreApplication::translate("FindSong", "再生"), QDialogButtonBox::AcceptRole);
  btnPlay->setObjectName("btnPlay");
  btnPlay->setDefault(true);
  btnClose = buttons->addButton(QCoreApplication::translate("FindSong", "閉じる"), QDialogButtonBox::RejectRole);
  btnClose->setObjectName("btnClose");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(lstFound, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
    if (!index.isValid()) return;
    lstFound->setCurrentIndex(index);
    accept();
  });
  connect(edtFind, &QLineEdit::textChanged, this, [this] { ShowMatches(false); });
  connect(lstFound->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& index) {
    const int row = found_->PlaylistRow(index.row());
    if (row >= 0) cursorPath_ = std::string(ItemPath(playlist_.Item(row)));
  });

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(lblCount, 1);
  bottom->addWidget(buttons);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->addWidget(edtFind);
  layout->addWidget(lstFound, 1);
  layout->addLayout(bottom);
  resize(kClientWidth, kClientHeight);

  FollowListChanges(listModel);
  ShowMatches(false);
  edtFind->setFocus();
}

void TdlgFindSong::FollowListChanges(const QAbstractItemModel& listModel) {
  const auto refoldAll = [this] {
    finder_.RefoldAll();
    ShowMatches(true);
  };
  connect(&listModel, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex&, int first, int last) {
    finder_.Inserted(first, last - first + 1);
    ShowMatches(true);
  });
  // The current song's repaint changes no text: the matches stay as they are.
  connect(&listModel, &QAbstractItemModel::dataChanged, this, [this](const QModelIndex& from, const QModelIndex& to) {
    if (finder_.Changed(from.row(), to.row())) ShowMatches(true);
  });
  connect(&listModel, &QAbstractItemModel::rowsRemoved, this, refoldAll);
  connect(&listModel, &QAbstractItemModel::rowsMoved, this, refoldAll);
  connect(&listModel, &QAbstractItemModel::modelReset, this, refoldAll);
  connect(&listModel, &QAbstractItemModel::layoutChanged, this, refoldAll);
}

void TdlgFindSong::ShowMatches(bool keepCursor) {
  const std::string cursorPath = cursorPath_;
  found_->SetRows(finder_.Find(edtFind->text()));
  const std::vector<int>& rows = found_->Rows();
  int match = 0;
  if (keepCursor && !cursorPath.empty()) {
    const auto same =
        std::find_if(rows.begin(), rows.end(), [&](int row) { return ItemPath(playlist_.Item(row)) == cursorPath; });
    if (same != rows.end()) match = int(same - rows.begin());
  }
  if (!rows.empty()) lstFound->setCurrentIndex(found_->index(match));
  lblCount->setText(QCoreApplication::translate("FindSong", "%n 曲", nullptr, int(rows.size())));
  btnPlay->setEnabled(!rows.empty());
}

int TdlgFindSong::ChosenRow() const { return found_->PlaylistRow(lstFound->currentIndex().row()); }

bool TdlgFindSong::eventFilter(QObject* watched, QEvent* event) {
  // The arrow and page keys move through the matches while typing goes on.
  if (watched == edtFind && event->type() == QEvent::KeyPress &&
      MovesInTheList(static_cast<QKeyEvent*>(event)->key())) {
    QCoreApplication::sendEvent(lstFound, event);
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace orvana::app
