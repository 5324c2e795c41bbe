#pragma once
// TdlgMPEGInfo: a song's ID3v1 tag and its lyrics file. The dialog is a
// viewer: the tag page is disabled and the OK button hidden, so it only ends
// with "閉じる" (or the close box) and nothing is written back. "作成(&L)"
// opens an empty memo for a song without lyrics, which is not saved either.
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <string>

#include "app/playlist/tag_record.h"

namespace orvana::app {

class TdlgMPEGInfo : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 416;
  static constexpr int kClientHeight = 292;

  explicit TdlgMPEGInfo(QWidget* parent = nullptr);

  // Shows the song at `path` with its tag, and its lyrics file when there is
  // one. Throws TFileReadError when the lyrics file exists but cannot be read.
  void Fill(const std::string& path, const TTagRecord& tag);

  QLineEdit* edtFileName;
  QTabWidget* PageControl1;
  QWidget* TabSheet1;  // "ID3 タグ情報"
  QLineEdit* edtTitle;
  QLineEdit* edtArtist;
  QLineEdit* edtAlbum;
  // The spin box is both the track's edit and its up-down.
  QSpinBox* edtTrack;
  QSpinBox* updTrack;
  QLineEdit* edtYear;
  QComboBox* cmbGenre;
  QLineEdit* edtComment;
  QWidget* TabSheet2;  // "歌詞"
  QLineEdit* edtLyrics;
  QPushButton* btnNew;
  QPlainTextEdit* memLyrics;
  QPushButton* Button3;  // "OK", never shown
  QPushButton* Button4;  // "閉じる"

 private:
  void BuildTagPage();
  void BuildLyricsPage();
  void btnNewClick();
};

}  // namespace orvana::app
