// Playing from the window: short real songs on the null device, so that they
// really end and the next one follows as the modes say.
#include <QComboBox>
#include <fstream>

#include "app/playlist/song_item.h"
#include "form_fixture.h"
#include "hostile_http_server.h"
#include "scripted_answers.h"

namespace orvana::app::testing {
namespace {

using namespace player;

// A 128-byte ID3v1.1 tag.
std::string TagV1(const std::string& title, const std::string& artist, const std::string& album, int track,
                  int genre) {
  std::string tag(128, '\0');
  tag.replace(0, 3, "TAG");
  tag.replace(3, title.size(), title);
  tag.replace(33, artist.size(), artist);
  tag.replace(63, album.size(), album);
  tag.replace(93, 4, "1999");
  tag[126] = char(track);
  tag[127] = char(genre);
  return tag;
}

class Playback : public FormFixture {
 protected:
  // A window whose list holds `names`, each a 1.2 s song (those not in
  // `missing` exist), with the history's additions recorded.
  TForm1& WithSongs(const std::vector<std::string>& names, const std::vector<std::string>& missing = {}) {
    TForm1& window = Create();
    std::vector<TPlaylistItem> items;
    for (const std::string& name : names) {
      const bool gone = std::find(missing.begin(), missing.end(), name) != missing.end();
      items.push_back(ItemFromFileName(gone ? Path(name) : Song(name)));
    }
    window.Playlist().Append(std::move(items));
    QComboBox& history = *window.Widgets().ComboBox1;
    QObject::connect(history.model(), &QAbstractItemModel::rowsInserted, [this, &history](auto&, int, int last) {
      const std::string entry = history.itemData(last, Qt::UserRole).toByteArray().toStdString();
      starts.push_back(FileNamePart(std::string(HistoryPath(entry))));
    });
    return window;
  }
  static std::string FileNamePart(const std::string& path) { return path.substr(path.rfind('/') + 1); }

  void Execute(TActionId id) { form->Actions()[id].Execute(); }
  void PlayRow(int row) { form->Playback().PlayRow(row); }
  TMP3Status Status() { return form->MP3Player1().Status(); }
  bool Stopped() { return Status() == msStopped; }
  // Waits until playback has ended by itself: stopped for a while, so that
  // a next song that would still follow is not missed.
  bool EndsWithin(int timeoutMs) {
    QElapsedTimer stopped;
    return WaitUntil(
        [&] {
          if (!Stopped()) {
            stopped.invalidate();
          } else if (!stopped.isValid()) {
            stopped.start();
          }
          return stopped.isValid() && stopped.elapsed() >= 400;
        },
        timeoutMs);
  }

  std::vector<std::string> starts;  // file names, in the order they started
};

using Strings = std::vector<std::string>;

TEST_F(Playback, InOrderWithoutRepeatStopsAfterTheLastAndSaysSo) {
  TForm1& window = WithSongs({"a.mp3", "b.mp3", "c.mp3"});
  PlayRow(0);
  EXPECT_EQ(Status(), msPlaying);
  EXPECT_TRUE(window.windowTitle().endsWith(QString::fromUtf8("<再生中>")));
  ASSERT_TRUE(WaitUntil([&] { return starts.size() == 3; }));
  ASSERT_TRUE(EndsWithin(5000));
  EXPECT_EQ(starts, (Strings{"a.mp3", "b.mp3", "c.mp3"}));
  EXPECT_EQ(window.State().currentIndex, 2);
  EXPECT_TRUE(window.windowTitle().endsWith(QString::fromUtf8("<停止中>")));
  EXPECT_TRUE(errors.isEmpty());
  // The pass is over: playing again starts a new one that goes on to the end.
  starts.clear();
  PlayRow(1);
  ASSERT_TRUE(EndsWithin(5000));
  EXPECT_EQ(starts, (Strings{"b.mp3", "c.mp3"}));
}

TEST_F(Playback, RepeatStartsAgainAfterTheLast) {
  TForm1& window = WithSongs({"a.mp3", "b.mp3", "c.mp3"});
  Execute(aiRepeat);
  PlayRow(1);
  ASSERT_TRUE(WaitUntil([&] { return starts.size() == 4; }, 20000));
  EXPECT_EQ(starts, (Strings{"b.mp3", "c.mp3", "a.mp3", "b.mp3"}));
  Execute(aiStop);
  EXPECT_TRUE(window.State().playedList.empty());
  EXPECT_EQ(window.Widgets().ProgressBar1->value(), 0);
}

TEST_F(Playback, ShuffleWithoutRepeatPlaysEachSongAtMostOnce) {
  WithSongs({"a.mp3", "b.mp3", "c.mp3"});
  Execute(aiShuffle);
  PlayRow(0);
  ASSERT_TRUE(EndsWithin(15000));
  Strings sorted = starts;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(std::unique(sorted.begin(), sorted.end()), sorted.end()) << "a song played twice";
  // Every song, unless the list's last one ended the pass early.
  EXPECT_TRUE(starts.size() == 3 || starts.back() == "c.mp3");
}

TEST_F(Playback, ASingleSongRepeatsOnlyWithRepeat) {
  WithSongs({"a.mp3"});
  PlayRow(0);
  ASSERT_TRUE(EndsWithin(5000));
  EXPECT_EQ(starts, (Strings{"a.mp3"}));

  starts.clear();
  Execute(aiRepeat);
  PlayRow(0);
  ASSERT_TRUE(WaitUntil([&] { return starts.size() == 3; }, 10000));
  EXPECT_EQ(Status(), msPlaying);
  Execute(aiStop);
}

// The song to follow is queued while one plays; what the user does
// meanwhile decides what is heard.
TEST_F(Playback, TheListChangedWhileTheNextSongWaitsDecidesWhatFollows) {
  TForm1& window = WithSongs({"a.mp3", "b.mp3", "c.mp3"});
  PlayRow(0);
  EXPECT_EQ(window.MP3Player1().NextFileName(), Path("b.mp3"));
  window.Playlist().Remove({1});
  ASSERT_TRUE(WaitUntil([&] { return window.MP3Player1().NextFileName() == Path("c.mp3"); }));
  ASSERT_TRUE(EndsWithin(8000));
  EXPECT_EQ(starts, (Strings{"a.mp3", "c.mp3"}));
  EXPECT_EQ(window.State().currentIndex, 1);
  EXPECT_TRUE(errors.isEmpty());
}

TEST_F(Playback, ASongPickedWhileTheNextWaitsPlaysAndItsOwnNextFollows) {
  TForm1& window = WithSongs({"a.mp3", "b.mp3", "c.mp3"});
  PlayRow(0);
  // The player has decoded a's 1.2 s whole and gone on into b by now.
  Spin(300);
  PlayRow(2);
  Execute(aiRepeat);
  ASSERT_TRUE(WaitUntil([&] { return starts.size() == 3; }, 10000));
  EXPECT_EQ(starts, (Strings{"a.mp3", "c.mp3", "a.mp3"}));
  Execute(aiStop);
  EXPECT_EQ(window.MP3Player1().NextFileName(), "");
}

TEST_F(Playback, NextAndPreviousWhileStoppedMoveTheHighlightOnly) {
  TForm1& window = WithSongs({"a.mp3", "b.mp3", "c.mp3"});
  Execute(aiNext);
  EXPECT_EQ(window.State().currentIndex, 1);
  Execute(aiPrevious);
  Execute(aiPrevious);
  EXPECT_EQ(window.State().currentIndex, 2);  // round from the first to the last
  Execute(aiNext);
  EXPECT_EQ(window.State().currentIndex, 0);
  EXPECT_TRUE(Stopped());
  EXPECT_TRUE(starts.empty());
}

TEST_F(Playback, PreviousInShuffleGoesBackToTheSongPlayedBefore) {
  TForm1& window = WithSongs({"a.mp3", "b.mp3", "c.mp3"});
  Execute(aiShuffle);
  PlayRow(2);
  PlayRow(0);
  Execute(aiPrevious);
  EXPECT_EQ(window.State().currentIndex, 2);
  EXPECT_EQ(starts, (Strings{"c.mp3", "a.mp3", "c.mp3"}));
  EXPECT_EQ(Status(), msPlaying);
  Execute(aiStop);
}

TEST_F(Playback, EveryPlayedSongMakesThePassFullWithoutRepeat) {
  TForm1& window = WithSongs({"a.mp3", "b.mp3"});
  PlayRow(0);
  PlayRow(1);
  // Both have played: the pass is over and next does nothing but forget it.
  Execute(aiNext);
  EXPECT_EQ(window.State().currentIndex, 1);
  EXPECT_TRUE(window.State().playedList.empty());
  Execute(aiStop);
}

TEST_F(Playback, TheDurationIsCountedOnceAndShown) {
  TForm1& window = WithSongs({"a.mp3", "b.mp3"});
  PlayRow(0);
  EXPECT_EQ(window.Playlist().Item(0).Column(siTime + 1), "00:01");
  EXPECT_EQ(window.State().totalSeconds, 1);
  EXPECT_EQ(window.Widgets().pnlTime->text(), QString::fromUtf8("総演奏時間: 00:01"));
  PlayRow(0);  // the column knows it now
  EXPECT_EQ(window.State().totalSeconds, 1);
  EXPECT_EQ(window.Widgets().lblLength->text(), "1sec / Layer 3, 128KBit 44100Hz");
  EXPECT_EQ(window.Widgets().ProgressBar1->maximum(), int(window.MP3Player1().Length()));
  Execute(aiStop);
}

TEST_F(Playback, TheTagFillsThePropertiesAndTheColumns) {
  TForm1& window = Create();
  const std::string tagged = Song("tagged.mp3");
  const std::string noGenre = Song("nogenre.mp3");
  std::ofstream(tagged, std::ios::app | std::ios::binary) << TagV1("Song", "Band", "Disc", 5, 17);
  std::ofstream(noGenre, std::ios::app | std::ios::binary) << TagV1("Other", "", "", 0, 255);
  window.Playlist().Append({ItemFromFileName(tagged), ItemFromFileName(noGenre)});
  form->Playback().PlayRow(0);
  const TMainWindowWidgets& w = window.Widgets();
  EXPECT_EQ(w.edtTitle->text(), "Song - Band");
  EXPECT_EQ(w.lblAlbum->text(), "Disc / Track 5");
  EXPECT_EQ(w.lblGenre->text(), "Rock");
  EXPECT_EQ(w.lblYear->text(), "1999");
  EXPECT_EQ(w.lblFileName->text(), QString::fromStdString(tagged));
  EXPECT_EQ(window.Playlist().Item(0).Caption(), "Song");
  EXPECT_EQ(window.Playlist().Item(0).Column(siArtist + 1), "Band");
  EXPECT_EQ(w.ComboBox1->currentText(), "Song");
  // 255 is "no genre", whatever the table's last name is.
  form->Playback().PlayRow(1);
  EXPECT_EQ(w.lblGenre->text(), "");
  EXPECT_EQ(w.lblAlbum->text(), "");
  Execute(aiStop);
}

TEST_F(Playback, TheHistoryKeepsEachSongOnceAndPlaysWhatIsPicked) {
  TForm1& window = WithSongs({"a.mp3", "b.mp3", "c.mp3"});
  PlayRow(0);
  PlayRow(1);
  PlayRow(0);
  QComboBox& history = *window.Widgets().ComboBox1;
  ASSERT_EQ(history.count(), 2);
  EXPECT_EQ(window.Playback().History().Entry(0), Path("b.mp3") + "|b.mp3");
  EXPECT_EQ(history.currentIndex(), 1);
  window.Playback().PlayHistoryEntry(0);
  EXPECT_EQ(window.State().currentIndex, 1);
  EXPECT_EQ(starts.back(), "b.mp3");
  // An entry whose song has left the list plays nothing.
  window.Playlist().Remove({0});
  window.Playback().PlayHistoryEntry(0);
  EXPECT_EQ(starts.back(), "b.mp3");
  Execute(aiDeleteAll);
  EXPECT_EQ(history.count(), 0);
}

TEST_F(Playback, PauseIsCheckedWhilePausedOnly) {
  TForm1& window = WithSongs({"a.mp3", "b.mp3"});
  PlayRow(0);
  Execute(aiPause);
  EXPECT_EQ(Status(), msPaused);
  EXPECT_TRUE(window.Actions()[aiPause].Checked());
  Execute(aiPause);
  EXPECT_EQ(Status(), msPlaying);
  EXPECT_FALSE(window.Actions()[aiPause].Checked());
  Execute(aiPause);
  Execute(aiStop);  // resumes first, then stops
  EXPECT_TRUE(Stopped());
  EXPECT_FALSE(window.Actions()[aiPause].Checked());
  // The buttons follow the player's status as soon as the loop runs.
  EXPECT_TRUE(WaitUntil([&] { return !window.Actions().QtAction(aiStop)->isEnabled(); }, 2000));
  // Another song started while paused plays, and the button shows it.
  PlayRow(0);
  Execute(aiPause);
  PlayRow(1);
  WaitUntil([&] { return !window.Actions()[aiPause].Checked(); }, 2000);
  EXPECT_EQ(Status(), msPlaying);
  EXPECT_FALSE(window.Actions()[aiPause].Checked());
  Execute(aiStop);
}

TEST_F(Playback, APressOnTheBarSeeksInProportion) {
  TForm1& window = Create();
  // An hour of the 1.2 s song, one copy after another.
  const std::string copy = Read(Song("tone.mp3"));
  const std::string hour = Path("hour.mp3");
  {
    std::ofstream out(hour, std::ios::binary);
    for (int i = 0; i < 3000; ++i) out << copy;
  }
  window.Playlist().Append({ItemFromFileName(hour)});
  TSeekBar& bar = *window.Widgets().ProgressBar1;
  bar.resize(400, bar.height());
  bar.SetPosition(0);
  window.Playback().SeekAt(200);  // stopped: nothing
  EXPECT_EQ(bar.value(), 0);
  window.Playback().PlayRow(0);
  const std::int64_t length = window.MP3Player1().Length();
  ASSERT_GT(length, 3590000);
  window.Playback().SeekAt(200);
  EXPECT_EQ(bar.value(), int(200 * length / 400));
  ASSERT_TRUE(WaitUntil([&] { return window.MP3Player1().Position() > length / 2 - 5000; }, 5000));
  EXPECT_LT(window.MP3Player1().Position(), length / 2 + 5000);
  Execute(aiStop);
}

TEST_F(Playback, TheLyricLineFollowsThePosition) {
  TForm1& window = WithSongs({"a.mp3", "b.mp3"});
  Write(Path("a.txt"), "title line\r\n[00:00]first\r\n[00:00.60]second\r\n");
  const TMainWindowWidgets& w = window.Widgets();
  QStringList sung;
  QObject::connect(w.edtLyrics, &QLineEdit::textChanged, [&sung](const QString& text) { sung << text; });
  PlayRow(0);
  EXPECT_FALSE(w.memLyrics->isHidden());
  EXPECT_EQ(w.memLyrics->toPlainText(), "title line\nfirst\nsecond");
  ASSERT_TRUE(WaitUntil([&] { return w.edtLyrics->text() == "second"; }, 3000));
  // A slow machine may see the first position after the first line.
  EXPECT_TRUE(sung == QStringList({"first", "second"}) || sung == QStringList({"second"})) << sung.join(",").toStdString();
  PlayRow(1);  // no lyrics file
  EXPECT_TRUE(w.memLyrics->isHidden());
  ASSERT_TRUE(WaitUntil([&] { return w.edtLyrics->text().isEmpty(); }, 3000));
  Execute(aiStop);
}

TEST_F(Playback, SongsGoneFromTheDiskAreSkippedWithoutAWord) {
  TForm1& window = WithSongs({"a.mp3", "b.mp3", "c.mp3"}, {"b.mp3"});
  PlayRow(1);
  EXPECT_TRUE(Stopped());
  EXPECT_TRUE(starts.empty());
  PlayRow(0);
  ASSERT_TRUE(EndsWithin(8000));
  EXPECT_EQ(starts, (Strings{"a.mp3", "c.mp3"}));
  EXPECT_TRUE(errors.isEmpty());

  // Nothing left to play, with repeat: the end of the song ends it all.
  starts.clear();
  Execute(aiRepeat);
  PlayRow(0);
  std::filesystem::remove(Path("a.mp3"));
  std::filesystem::remove(Path("c.mp3"));
  ASSERT_TRUE(EndsWithin(5000));
  EXPECT_EQ(starts, (Strings{"a.mp3"}));
  EXPECT_EQ(window.State().currentIndex, 0);
}

// A station is taken as there, but never queued to follow without a gap; its
// row keeps its caption and "--:--", and it has no tag or length.
TEST_F(Playback, AStationFollowsWhenTheSongBeforeEndsAndItsTitleShowsEverywhere) {
  orvana::testing::THostileHttpServer server;
  const std::string audio = orvana::testing::StationAudio();
  server.Answer("/radio", [&audio](int) {
    orvana::testing::TStationScript script{.audio = audio, .metaint = 4000};
    script.metadata = {{0, orvana::testing::TitleText("Song on Air")}};
    return orvana::testing::Station(script);
  });
  TForm1& window = WithSongs({"a.mp3"});
  const std::string station = server.Url("/radio");
  window.Playlist().Append({ItemFromAddress(station, "")});
  PlayRow(0);
  EXPECT_EQ(window.State().totalSeconds, 1);
  EXPECT_EQ(window.MP3Player1().NextFileName(), "");  // a station never follows gaplessly

  ASSERT_TRUE(WaitUntil([&] { return window.windowTitle().contains("Song on Air"); })) << errors.join("; ").toStdString();
  EXPECT_EQ(window.windowTitle(), QString::fromUtf8("Orvana - Song on Air <再生中>"));
  EXPECT_EQ(window.TaskTray1().TipString(), "Song on Air");
  EXPECT_EQ(window.Widgets().edtTitle->text(), "Song on Air - Test Station");
  EXPECT_EQ(HistoryCaption(window.Playback().History().Entry(window.Playback().History().Count() - 1)),
            "Song on Air");
  EXPECT_EQ(window.State().currentIndex, 1);
  const TPlaylistItem& row = window.Playlist().Item(1);
  EXPECT_EQ(row.Caption(), "Test Station");  // the station's own name, kept in the list from now on
  EXPECT_EQ(row.Column(siTime + 1), "--:--");
  EXPECT_EQ(window.State().totalSeconds, 1);
  EXPECT_FALSE(window.MP3Player1().Capabilities().Has(mpcSeek));
  EXPECT_TRUE(errors.isEmpty());

  Execute(aiStop);
  EXPECT_FALSE(window.MP3Player1().Opened());
  EXPECT_TRUE(window.windowTitle().endsWith(QString::fromUtf8("<停止中>")));
}

TEST_F(Playback, AFileThatCannotBePlayedIsReportedOnceAndPlaybackStops) {
  TForm1& window = WithSongs({"a.mp3", "bad.mp3", "c.mp3"});
  Write(Path("bad.mp3"), std::string(4000, 'x'));
  Execute(aiRepeat);
  PlayRow(0);
  ASSERT_TRUE(EndsWithin(5000));
  EXPECT_EQ(errors.size(), 1);
  EXPECT_EQ(starts, (Strings{"a.mp3"}));
  EXPECT_EQ(window.State().currentIndex, 1);
  EXPECT_TRUE(window.windowTitle().endsWith(QString::fromUtf8("<停止中>")));
}

TEST_F(Playback, SongsThatEndAsSoonAsTheyStartDoNotGoRoundForEver) {
  WithSongs({"a.mp3", "b.mp3"});
  // One frame each: a song that ends before anybody hears it.
  const std::string song = Read(Path("a.mp3"));
  for (const char* name : {"a.mp3", "b.mp3"}) Write(Path(name), song.substr(0, 418));
  Execute(aiRepeat);
  PlayRow(0);
  ASSERT_TRUE(EndsWithin(5000));
  EXPECT_LE(starts.size(), 3u);
}

}  // namespace
}  // namespace orvana::app::testing
