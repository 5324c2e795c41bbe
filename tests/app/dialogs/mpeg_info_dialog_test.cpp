#include "app/dialogs/mpeg_info_dialog.h"

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <functional>

#include "app/dialogs/file_info.h"
#include "app/playlist/genre_names.h"
#include "qt_test_application.h"
#include "tests/app/playlist/playlist_test_support.h"

namespace orvana::app {
namespace {

using testing::TaggedSong;
using testing::TTempFolder;

QString Utf8(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

QColor FieldColour(const QWidget* widget) { return widget->palette().color(QPalette::Base); }

std::string Bytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The tag information command on files made byte by byte; the runner hands
// the dialog to a test's checks and closes it with "閉じる".
class FileInfoTest : public ::testing::Test {
 protected:
  // Runs the command for `path`; false when it did nothing.
  bool Show(const std::string& path, const std::function<void(TdlgMPEGInfo&)>& check = {}) {
    return ShowFileInfo(path, owner, [&](QDialog& dialog) {
      ++runs;
      auto* info = qobject_cast<TdlgMPEGInfo*>(&dialog);
      EXPECT_NE(info, nullptr);
      if (info && check) check(*info);
      if (info) info->Button4->click();
      return result = dialog.result();
    });
  }

  QApplication& application = orvana::testing::TestApplication();  // before any widget
  TTempFolder folder;
  QWidget owner;
  int runs = 0;
  int result = -1;
};

TEST_F(FileInfoTest, AFileWithoutATagShowsItsNameAsTitleAndNoGenre) {
  const std::string path = folder.Write("Morning Song.mp3", std::string(300, '\xFF'));
  EXPECT_TRUE(Show(path, [&](TdlgMPEGInfo& info) {
    EXPECT_EQ(info.windowTitle(), QStringLiteral("Orvana - MP3 タグエディター"));
    EXPECT_EQ(info.edtFileName->text(), QString::fromStdString(path));
    EXPECT_EQ(info.edtTitle->text(), QStringLiteral("Morning Song.mp3"));
    for (QLineEdit* empty : {info.edtArtist, info.edtAlbum, info.edtYear, info.edtComment})
      EXPECT_TRUE(empty->text().isEmpty()) << empty->objectName().toStdString();
    EXPECT_EQ(info.updTrack->value(), 0);
    EXPECT_EQ(info.cmbGenre->currentIndex(), -1);
  }));
  EXPECT_EQ(runs, 1);
}

TEST_F(FileInfoTest, ATaggedFileFillsEveryField) {
  const std::string path = folder.Write("a.mp3", TaggedSong({"Title", "Artist", "Album", "1999", "note", 255, 147}));
  Show(path, [](TdlgMPEGInfo& info) {
    EXPECT_EQ(info.edtTitle->text(), QStringLiteral("Title"));
    EXPECT_EQ(info.edtArtist->text(), QStringLiteral("Artist"));
    EXPECT_EQ(info.edtAlbum->text(), QStringLiteral("Album"));
    EXPECT_EQ(info.edtYear->text(), QStringLiteral("1999"));
    EXPECT_EQ(info.edtComment->text(), QStringLiteral("note"));
    EXPECT_EQ(info.updTrack->value(), 255);  // the top of the up-down's range
    // The list index is the genre number; the empty "no genre" is not listed.
    EXPECT_EQ(info.cmbGenre->count(), 148);
    EXPECT_EQ(info.cmbGenre->currentIndex(), 147);
    EXPECT_EQ(info.cmbGenre->currentText(), Utf8(GenreNames[147]));
  });
}

TEST_F(FileInfoTest, AVersion10CommentIsShownWholeThoughTypingStopsAt28) {
  const std::string comment = "123456789012345678901234567890";
  Show(folder.Write("a.mp3", TaggedSong({"T", "", "", "", comment, -1, 0})), [&](TdlgMPEGInfo& info) {
    EXPECT_EQ(info.edtComment->text(), QString::fromStdString(comment));
    EXPECT_EQ(info.cmbGenre->currentIndex(), 0);
  });
  EXPECT_EQ(TdlgMPEGInfo().edtComment->maxLength(), 28);
}

TEST_F(FileInfoTest, ASongWithoutLyricsOffersANewMemoInGrey) {
  const std::string path = folder.Write("dir.x/song", std::string(300, '\xFF'));  // no extension of its own
  Show(path, [&](TdlgMPEGInfo& info) {
    EXPECT_EQ(info.edtLyrics->text(), QString::fromStdString(path + ".txt"));
    EXPECT_TRUE(info.btnNew->isEnabled());
    EXPECT_FALSE(info.memLyrics->isEnabled());
    EXPECT_EQ(FieldColour(info.memLyrics), info.palette().color(QPalette::Button));
    EXPECT_FALSE(info.memLyrics->document()->isModified());

    info.btnNew->click();
    EXPECT_FALSE(info.btnNew->isEnabled());
    EXPECT_TRUE(info.memLyrics->isEnabled());
    EXPECT_EQ(FieldColour(info.memLyrics), info.palette().color(QPalette::Base));
    EXPECT_TRUE(info.memLyrics->document()->isModified());
  });
  // A folder by the lyrics file's name is no lyrics file.
  folder.Folder("dir.x/song.txt");
  Show(path, [](TdlgMPEGInfo& info) { EXPECT_TRUE(info.btnNew->isEnabled()); });
}

TEST_F(FileInfoTest, LyricsFileIsShownAsWrittenInEitherEncoding) {
  const std::string path = folder.Write("song.MP3", std::string(300, '\xFF'));
  // Shift_JIS "歌詞" with CR LF line ends and a time tag, which stays.
  folder.Write("song.txt", "[00:01]\x89\xcc\x8e\x8c\r\nline two\r\n");
  Show(path, [](TdlgMPEGInfo& info) {
    EXPECT_FALSE(info.btnNew->isEnabled());
    EXPECT_TRUE(info.memLyrics->isEnabled());
    EXPECT_EQ(info.memLyrics->toPlainText(), QStringLiteral("[00:01]歌詞\nline two"));
    EXPECT_EQ(FieldColour(info.memLyrics), info.palette().color(QPalette::Base));
    EXPECT_FALSE(info.memLyrics->document()->isModified());
  });
  // UTF-8 with an editor's byte-order mark, which is not part of the text.
  folder.Write("song.txt", "\xEF\xBB\xBF歌詞\n");
  Show(path, [](TdlgMPEGInfo& info) { EXPECT_EQ(info.memLyrics->toPlainText(), QStringLiteral("歌詞")); });
}

TEST_F(FileInfoTest, OpensOnTheDisabledTagPageWithOnlyCloseToEndIt) {
  const std::string path = folder.Write("song.mp3", std::string(300, '\xFF'));
  Show(path, [](TdlgMPEGInfo& info) {
    EXPECT_EQ(info.PageControl1->currentWidget(), info.TabSheet1);
    EXPECT_FALSE(info.TabSheet1->isEnabled());
    EXPECT_TRUE(info.PageControl1->isTabEnabled(0));  // shown, not hidden
    EXPECT_TRUE(info.Button3->isHidden());
    EXPECT_EQ(info.Button4->text(), QStringLiteral("閉じる"));
    // Return finds no visible default button: the dialog stays open.
    int finished = 0;
    QObject::connect(&info, &QDialog::finished, [&finished] { ++finished; });
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(&info, &enter);
    EXPECT_EQ(finished, 0);
  });
}

TEST_F(FileInfoTest, ClosingLeavesTheSongAndItsLyricsAsTheyWere) {
  const std::string song = TaggedSong({"Title", "Artist", "Album", "1999", "note", 3, 12});
  const std::string path = folder.Write("song.mp3", song);
  const std::string lyrics = "first\r\nsecond\r\n";
  folder.Write("song.txt", lyrics);
  Show(path, [](TdlgMPEGInfo& info) {
    info.edtTitle->setText(QStringLiteral("changed"));
    info.memLyrics->appendPlainText(QStringLiteral("added"));
  });
  EXPECT_EQ(result, QDialog::Rejected);
  EXPECT_EQ(Bytes(path), song);
  EXPECT_EQ(Bytes(folder.Path("song.txt")), lyrics);
}

TEST_F(FileInfoTest, NoFileThereShowsNothing) {
  EXPECT_FALSE(Show(folder.Path("gone.mp3")));
  EXPECT_FALSE(Show(""));
  EXPECT_FALSE(Show(folder.Folder("album.mp3")));
  EXPECT_EQ(runs, 0);
}

}  // namespace
}  // namespace orvana::app
