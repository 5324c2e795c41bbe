#include "app/dialogs/mpeg_info_dialog.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

#include "app/files/file_reading.h"
#include "app/lyrics/lyrics.h"
#include "app/playlist/genre_names.h"
#include "app/playlist/text_file.h"

namespace orvana::app {
namespace {

constexpr int kVisibleGenres = 16;

// The colour behind an edit's text.
void SetFieldColour(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Base, colour);
  widget->setPalette(palette);
}

QColor Grey(const QWidget* widget) { return widget->palette().color(QPalette::Button); }

QLineEdit* NewEdit(const char* name, QWidget* parent, int maxLength = 32767) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setMaxLength(maxLength);
  return edit;
}

QLineEdit* GreyReadOnlyEdit(const char* name, QWidget* parent) {
  QLineEdit* edit = NewEdit(name, parent);
  edit->setReadOnly(true);
  SetFieldColour(edit, Grey(edit));
  return edit;
}

// The limit stops typing; a longer text from the tag (a v1.0 comment has 30
// bytes) is still shown whole, as QLineEdit would otherwise cut it.
void SetLimitedText(QLineEdit* edit, const std::string& text) {
  const QString shown = QString::fromStdString(text);
  edit->setMaxLength(std::max(edit->maxLength(), int(shown.size())));
  edit->setText(shown);
}

// The whole lyrics file in one encoding for all of it (UTF-8, else CP932),
// its lines joined as the memo keeps them.
QString MemoText(const std::string& path) {
  const std::string text = LyricsFileText(ReadTextFile(path));
  QStringList lines;
  for (const std::string_view line : SplitLines(text)) lines << QString::fromUtf8(line.data(), qsizetype(line.size()));
  return lines.join(u'\n');
}

}  // namespace

TdlgMPEGInfo::TdlgMPEGInfo(QWidget* parent) : QDialog(parent) {
  setObjectName("dlgMPEGInfo");
  setWindowTitle(QCoreApplication::translate("TagEditor", "Orvana - MP3 タグエディター"));
  setFixedSize(kClientWidth, kClientHeight);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(8, 8, 8, 8);
  edtFileName = GreyReadOnlyEdit("edtFileName", this);
  column->addWidget(edtFileName);
  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName("PageControl1");
  column->addWidget(PageControl1, 1);
  BuildTagPage();
  BuildLyricsPage();
  PageControl1->setCurrentWidget(TabSheet1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  Button3 = new QPushButton(QStringLiteral("OK"), this);
  Button3->setObjectName("Button3");
  Button3->setDefault(true);
  Button3->hide();  // nothing in the dialog can be saved
  connect(Button3, &QPushButton::clicked, this, &QDialog::accept);
  Button4 = new QPushButton(QCoreApplication::translate("TagEditor", "閉じる"), this);
  Button4->setObjectName("Button4");
  connect(Button4, &QPushButton::clicked, this, &QDialog::reject);
  buttons->addWidget(Button3);
  buttons->addWidget(Button4);
  column->addLayout(buttons);
}

void TdlgMPEGInfo::BuildTagPage() {
  TabSheet1 = new QWidget;
  TabSheet1->setObjectName("TabSheet1");
  TabSheet1->setEnabled(false);
  PageControl1->addTab(TabSheet1, QCoreApplication::translate("TagEditor", "ID3 タグ情報"));
  edtTitle = NewEdit("edtTitle", TabSheet1, 30);
  edtArtist = NewEdit("edtArtist", TabSheet1, 30);
  edtAlbum = NewEdit("edtAlbum", TabSheet1, 30);
  updTrack = edtTrack = new QSpinBox(TabSheet1);
  updTrack->setObjectName("updTrack");
  updTrack->setRange(0, 255);
  updTrack->setWrapping(false);
  edtYear = NewEdit("edtYear", TabSheet1, 4);
  cmbGenre = new QComboBox(TabSheet1);
  cmbGenre->setObjectName("cmbGenre");
  cmbGenre->setMaxVisibleItems(kVisibleGenres);
  // Index = genre number; the empty "no genre" entry stays out of the list.
  for (std::size_t genre = 0; genre < kNoGenre; ++genre)
    cmbGenre->addItem(QCoreApplication::translate("Genres", GenreNames[genre].data()));
  edtComment = NewEdit("edtComment", TabSheet1, 28);

  auto* grid = new QGridLayout(TabSheet1);
  const auto caption = [this](const QString& text) { return new QLabel(text, TabSheet1); };
  const auto addRow = [&](int row, const QString& text, QWidget* field) {
    grid->addWidget(caption(text), row, 0);
    grid->addWidget(field, row, 1);
  };
  addRow(0, QCoreApplication::translate("TagEditor", "タイトル"), edtTitle);
  addRow(1, QCoreApplication::translate("TagEditor", "アーティスト"), edtArtist);
  addRow(2, QCoreApplication::translate("TagEditor", "アルバム"), edtAlbum);
  auto* trackAndYear = new QHBoxLayout;
  trackAndYear->addWidget(edtTrack);
  trackAndYear->addSpacing(12);
  trackAndYear->addWidget(caption(QCoreApplication::translate("TagEditor", "年")));
  trackAndYear->addWidget(edtYear);
  trackAndYear->addStretch(1);
  edtYear->setFixedWidth(edtYear->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
  grid->addWidget(caption(QCoreApplication::translate("TagEditor", "トラック")), 3, 0);
  grid->addLayout(trackAndYear, 3, 1);
  auto* genre = new QHBoxLayout;
  genre->addWidget(cmbGenre, 2);
  genre->addStretch(1);
  grid->addWidget(caption(QCoreApplication::translate("TagEditor", "ジャンル")), 4, 0);
  grid->addLayout(genre, 4, 1);
  addRow(5, QCoreApplication::translate("TagEditor", "コメント"), edtComment);
  grid->setRowStretch(6, 1);
}

void TdlgMPEGInfo::BuildLyricsPage() {
  TabSheet2 = new QWidget;
  TabSheet2->setObjectName("TabSheet2");
  PageControl1->addTab(TabSheet2, QCoreApplication::translate("TagEditor", "歌詞"));
  edtLyrics = GreyReadOnlyEdit("edtLyrics", TabSheet2);
  btnNew = new QPushButton(QCoreApplication::translate("TagEditor", "作成(&L)"), TabSheet2);
  btnNew->setObjectName("btnNew");
  connect(btnNew, &QPushButton::clicked, this, &TdlgMPEGInfo::btnNewClick);
  memLyrics = new QPlainTextEdit(TabSheet2);
  memLyrics->setObjectName("memLyrics");
  memLyrics->setLineWrapMode(QPlainTextEdit::NoWrap);
  memLyrics->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memLyrics->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

  auto* column = new QVBoxLayout(TabSheet2);
  auto* file = new QHBoxLayout;
  file->addWidget(edtLyrics, 1);
  file->addWidget(btnNew);
  column->addLayout(file);
  column->addWidget(memLyrics, 1);
}

void TdlgMPEGInfo::Fill(const std::string& path, const TTagRecord& tag) {
  edtFileName->setText(QString::fromStdString(path));
  SetLimitedText(edtTitle, tag.Title);
  SetLimitedText(edtArtist, tag.Artist);
  SetLimitedText(edtAlbum, tag.Album);
  SetLimitedText(edtYear, tag.Year);
  SetLimitedText(edtComment, tag.Comment);
  updTrack->setValue(tag.Track);
  cmbGenre->setCurrentIndex(tag.Genre < kNoGenre ? int(tag.Genre) : -1);

  const std::string lyricsPath = LyricsPath(path);
  edtLyrics->setText(QString::fromStdString(lyricsPath));
  const bool hasLyrics = RegularFileExists(lyricsPath);
  btnNew->setEnabled(!hasLyrics);
  memLyrics->setEnabled(hasLyrics);
  memLyrics->setPlainText(hasLyrics ? MemoText(lyricsPath) : QString());
  SetFieldColour(memLyrics, hasLyrics ? palette().color(QPalette::Base) : Grey(memLyrics));
  memLyrics->document()->setModified(false);
}

void TdlgMPEGInfo::btnNewClick() {
  SetFieldColour(memLyrics, palette().color(QPalette::Base));  // an edit's usual colour
  memLyrics->setEnabled(true);
  memLyrics->document()->setModified(true);
  btnNew->setEnabled(false);
}

}  // namespace orvana::app
