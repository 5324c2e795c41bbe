#include <QPixmap>

#include "app/cover/cover_image.h"
#include "app/cover/cover_source.h"
#include "app/window/cover_song.h"
#include "app/window/form_fixture.h"

namespace orvana::app::testing {
namespace {

using Cover = FormFixture;

QString Q(const std::string& text) { return QString::fromStdString(text); }

TEST_F(Cover, TheTagsPictureComesFirstThenTheFolderNamesInOrderAndAnyCase) {
  const std::string plain = Song("plain.mp3");
  EXPECT_TRUE(CoverBytes(plain).isEmpty());
  const QByteArray png = PictureBytes(8, 4);
  Write(Path("COVER.PNG"), "last");
  EXPECT_EQ(CoverBytes(plain), "last");
  Write(Path("Folder.JPG"), "second");
  Write(Path("FRONT.jpg"), "third");
  EXPECT_EQ(CoverBytes(plain), "second");
  Write(Path("cover.Jpg"), "first");
  EXPECT_EQ(FolderPicturePath(Q(plain)), Q(Path("cover.Jpg")));
  const std::string tagged = Path("tagged.mp3");
  Write(tagged, SongWithCover(Read(plain), png, "Tagged"));
  EXPECT_EQ(CoverBytes(tagged), png);
  // Names that only begin like them are no folder pictures.
  for (const char* name : {"cover.Jpg", "Folder.JPG", "FRONT.jpg", "COVER.PNG"}) std::filesystem::remove(Path(name));
  Write(Path("cover.jpg.bak"), "x");
  Write(Path("mycover.jpg"), "x");
  EXPECT_TRUE(CoverBytes(plain).isEmpty());
}

TEST_F(Cover, PicturesAreDecodedToTheBoxAndDamagedOnesToNothing) {
  const QImage wide = DecodeScaledCover(PictureBytes(400, 200, "JPEG"), QSize(128, 128));
  EXPECT_EQ(wide.size(), QSize(128, 64));
  EXPECT_EQ(DecodeScaledCover(PictureBytes(30, 60), QSize(128, 128)).size(), QSize(30, 60));  // never enlarged
  QByteArray notJpeg = QByteArray("\xFF\xD8\xFF\xE0", 4) + QByteArray(500, 'j');
  EXPECT_TRUE(DecodeScaledCover(notJpeg, QSize(128, 128)).isNull());
  // A PNG whose header claims 60000 × 60000: refused before any pixel is made.
  QByteArray huge = PictureBytes(2, 2);
  const char side[4] = {0, 0, char(0xEA), 0x60};
  huge.replace(16, 4, side, 4);
  huge.replace(20, 4, side, 4);
  EXPECT_TRUE(DecodeScaledCover(huge, QSize(128, 128)).isNull());
  EXPECT_EQ(CoverExtension(PictureBytes(2, 2, "JPEG")), "jpg");
  EXPECT_EQ(CoverExtension(PictureBytes(2, 2)), "png");
  EXPECT_TRUE(CoverExtension(notJpeg.mid(4)).isEmpty());
}

TEST_F(Cover, ThePropertyTabShowsTheSongsCoverInProportion) {
  std::string tone;
  for (int copy = 0; copy < 10; ++copy) tone += Read(Song("tone.mp3"));  // no song ends during the test
  Write(Path("a.mp3"), SongWithCover(tone, PictureBytes(300, 150), "With cover"));
  // Says it is a JPEG and is none.
  Write(Path("b.mp3"), SongWithCover(tone, QByteArray("\xFF\xD8\xFF\xE0 not a jpeg", 16), "Broken", "image/jpeg"));
  TForm1& window = Create({Path("a.mp3"), Path("b.mp3")});
  const QLabel& cover = *window.Widgets().imgCover;
  window.Playback().PlayRow(0);
  EXPECT_FALSE(cover.isHidden());
  EXPECT_EQ(cover.pixmap().size(), QSize(kCoverShownSide, kCoverShownSide / 2));
  EXPECT_EQ(window.Widgets().lblTitle->text(), "With cover");
  window.Playback().PlayRow(1);
  EXPECT_EQ(window.Widgets().lblTitle->text(), "Broken");
  EXPECT_TRUE(cover.isHidden());
  EXPECT_TRUE(window.Playback().Cover().File().isEmpty());
  window.Actions()[aiStop].Execute();
}

}  // namespace
}  // namespace orvana::app::testing
