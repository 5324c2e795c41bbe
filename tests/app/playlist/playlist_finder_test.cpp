// Finding playlist items by words: the spellings a Japanese and a Latin text
// may take find each other, every word must match, and the folded copies
// follow the playlist's changes.
#include "app/playlist/playlist_finder.h"

#include <gtest/gtest.h>

#include "app/playlist/song_item.h"
#include "app/playlist/text_folding.h"

namespace orvana::app {
namespace {

TPlaylistItem Song(const std::string& title, const std::string& artist, const std::string& album,
                   const std::string& path) {
  TTagRecord tag;
  tag.Title = title;
  tag.Artist = artist;
  tag.Album = album;
  return ItemFromTag(path, tag);
}

using Rows = std::vector<int>;

TEST(TextFolding, WidthsCaseAndKanaFoldTogether) {
  const QString organ = FoldForSearch(QStringLiteral("オルガン"));
  EXPECT_EQ(FoldForSearch(QStringLiteral("ｵﾙｶﾞﾝ")), organ);  // half-width, voiced mark apart
  EXPECT_EQ(FoldForSearch(QStringLiteral("おるがん")), organ);
  EXPECT_EQ(FoldForSearch(QStringLiteral("ＡＢＣ")), QStringLiteral("abc"));
  EXPECT_EQ(FoldForSearch(QStringLiteral("ÄbC")), FoldForSearch(QStringLiteral("äBc")));
  // Blanks of either width, at the ends and in runs, only separate words.
  EXPECT_EQ(FoldedWords(QStringLiteral(" ｂ\u3000 Ａ\t")), (QStringList{"b", "a"}));
  EXPECT_TRUE(FoldedWords(QStringLiteral("\u3000 ")).isEmpty());
}

TEST(PlaylistFinder, EveryWordInAnyOrderAcrossTheFields) {
  TPlaylist playlist;
  playlist.Append({Song("パイプオルガンの調べ", "Bach Ensemble", "Ｃｈｏｒａｌｅｓ", "/m/one.mp3"),
                   Song("Organ Solo", "Someone", "Live", "/m/おるがん/two.mp3"),
                   ItemFromAddress("http://radio.example/stream", "ｵﾙｶﾞﾝ Radio"),
                   ItemFromFileName("/m/ORGAN/オルガン曲.mp3")});
  const TPlaylistFinder finder(playlist);
  EXPECT_EQ(finder.Find(QStringLiteral("おるがん")), (Rows{0, 2, 3}));  // a folder's name is no file name
  EXPECT_EQ(finder.Find(QStringLiteral("organ")), (Rows{1}));
  EXPECT_EQ(finder.Find(QStringLiteral("chorales ＢＡＣＨ")), (Rows{0}));
  EXPECT_EQ(finder.Find(QStringLiteral("ｂａｃｈ　オルガン")), (Rows{0}));
  EXPECT_EQ(finder.Find(QStringLiteral("radio ｵﾙｶﾞﾝ")), (Rows{2}));  // a station's caption is its title
  EXPECT_EQ(finder.Find(QStringLiteral("two.mp3")), (Rows{1}));
  // A word may not run from one field into the next.
  EXPECT_EQ(finder.Find(QStringLiteral("soloso")), Rows{});
  EXPECT_EQ(finder.Find(QStringLiteral("bach choral live")), Rows{});
  EXPECT_EQ(finder.Find(QStringLiteral(" ")), (Rows{0, 1, 2, 3}));
}

TEST(PlaylistFinder, FollowsTheChangesItIsTold) {
  TPlaylist playlist;
  playlist.Append({ItemFromFileName("/m/a.mp3"), ItemFromFileName("/m/b.mp3")});
  TPlaylistFinder finder(playlist);

  playlist.Append({ItemFromFileName("/m/new-a.mp3")});
  finder.Inserted(2, 1);
  EXPECT_EQ(finder.Find(QStringLiteral("a.mp3")), (Rows{0, 2}));

  TPlaylistItem renamed = playlist.Item(1);
  EXPECT_FALSE(finder.Changed(1, 1));  // a repaint: nothing new
  renamed.SetCaption("Alpha");
  playlist.SetItem(1, renamed);
  EXPECT_TRUE(finder.Changed(1, 1));
  EXPECT_EQ(finder.Find(QStringLiteral("alpha")), (Rows{1}));

  playlist.Remove({0});
  finder.RefoldAll();
  EXPECT_EQ(finder.Find(QStringLiteral("a.mp3")), (Rows{1}));

  // Told of an insertion that does not fit what the playlist holds, it
  // folds everything again rather than reading rows that are not there.
  playlist.Clear();
  finder.Inserted(5, 3);
  EXPECT_EQ(finder.Find(QString()), Rows{});
}

}  // namespace
}  // namespace orvana::app
