// The main window driven as the program drives it, without a display.
#include <QCheckBox>
#include <QFontInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>
#include <atomic>
#include <thread>

#include "app/dialogs/first_run_dialog.h"
#include "app/playlist/web_playlist.h"
#include "player/stream.h"
#include "form_fixture.h"

namespace orvana::app::testing {
namespace {

using TMainWindow = FormFixture;

std::string ListRecord(const std::string& caption, const std::string& time, const std::string& path) {
  return caption + "\r\n8\r\n\r\n\r\n\r\n" + time + "\r\n\r\n\r\n\r\n" + path + "\r\n";
}

TEST_F(TMainWindow, FirstStartTakesEveryDefault) {
  TForm1& window = Create();
  EXPECT_EQ(window.pos(), QPoint(32, 32));
  EXPECT_EQ(window.size(), QSize(560, 320));
  EXPECT_TRUE(window.isVisible());
  EXPECT_FALSE(window.Actions()[aiRepeat].Checked());
  EXPECT_FALSE(window.Actions()[aiShuffle].Checked());
  EXPECT_TRUE(window.State().subFolder);
  EXPECT_FALSE(window.State().checkTag);
  EXPECT_EQ(window.windowTitle(), QString::fromUtf8("Orvana -  <停止中>"));
  EXPECT_EQ(window.Widgets().pnlSongs->text(), QString::fromUtf8("0 曲"));
  EXPECT_EQ(window.Widgets().pnlTime->text(), QString::fromUtf8("総演奏時間: 00:00"));
  EXPECT_FALSE(window.Actions().QtAction(aiPlay)->isEnabled());
  // The first-run dialog, left unticked: only "First" is written.
  EXPECT_EQ(dialogs, QStringList{QStringLiteral("Orvana")});
  EXPECT_EQ(Read(SettingsPath()), "[ini]\r\nFirst=0\r\n");
}

TEST_F(TMainWindow, TheFirstRunDialogComesBackOnlyWhenTicked) {
  answerDialog = [](QDialog& dialog) {
    dynamic_cast<TdlgFirst&>(dialog).CheckBox1->setChecked(true);
    return int(QDialog::Accepted);
  };
  Create();
  EXPECT_EQ(Read(SettingsPath()), "[ini]\r\nFirst=1\r\n");
  form.reset();
  Create();
  EXPECT_EQ(dialogs.size(), 2);
  Write(SettingsPath(), "[ini]\r\nFirst=0\r\n");
  form.reset();
  Create();
  EXPECT_EQ(dialogs.size(), 2);  // not again
}

TEST_F(TMainWindow, ExitWritesEverySettingInOrderAndTheList) {
  Write(ListPath(), ListRecord("a", "03:25", "/m/a.mp3") + ListRecord("b", "--:--", "/m/b.mp3"));
  TForm1& window = Create();
  int exits = 0;
  QObject::connect(&window, &TForm1::exitRequested, [&exits] { ++exits; });
  window.Actions()[aiHide].Execute();
  window.Actions()[aiExit].Execute();
  EXPECT_EQ(exits, 1);
  EXPECT_TRUE(window.Closed());

  // "First" came first, written after the first-run dialog.
  const std::vector<std::string> lines = CrLfLines(Read(SettingsPath()));
  ASSERT_EQ(lines.size(), 57u);
  const std::vector<std::string> head(lines.begin(), lines.begin() + 12);
  EXPECT_EQ(head, (std::vector<std::string>{"[ini]", "First=0", "Form.Left=32", "Form.Top=32", "Form.ClientWidth=560",
                                            "Form.ClientHeight=320", "Form.Visible=0", "Font.Name=MS UI Gothic",
                                            "Font.Size=9", "Font.Color=-2147483640", "Font.Style=0", "Priority=3"}));
  EXPECT_EQ(lines[37], "TrayIcon.ClickWait=1000");
  EXPECT_EQ(lines[38], "Volume=100");
  EXPECT_EQ(lines[39], "Equalizer.Enabled=0");
  EXPECT_EQ(lines[55], "ReplayGain.PreventClipping=1");
  EXPECT_EQ(lines[56], "Language=auto");
  EXPECT_EQ(Read(ListPath()), ListRecord("a", "03:25", "/m/a.mp3") + ListRecord("b", "--:--", "/m/b.mp3"));
}

TEST_F(TMainWindow, StoredSettingsComeBack) {
  Write(SettingsPath(),
        "[ini]\r\nForm.Left=5\r\nForm.Top=6\r\nForm.ClientWidth=300\r\nForm.ClientHeight=200\r\nRepeat=1\r\n"
        "SubFolder=0\r\nCheckTag=1\r\nTotalTime=3725\r\nColumns[8].Width=250\r\nIndex=1\r\n");
  Write(ListPath(), ListRecord("a", "", "/m/a.mp3") + ListRecord("b", "", "/m/b.mp3"));
  TForm1& window = Create();
  EXPECT_EQ(window.pos(), QPoint(5, 6));
  EXPECT_EQ(window.size(), QSize(300, 200));
  EXPECT_TRUE(window.Actions()[aiRepeat].Checked());
  EXPECT_FALSE(window.State().subFolder);
  EXPECT_TRUE(window.State().checkTag);
  EXPECT_EQ(window.Widgets().pnlTime->text(), QString::fromUtf8("総演奏時間: 62:05"));
  EXPECT_EQ(window.Widgets().ListView1->header()->sectionSize(8), 250);
  EXPECT_EQ(window.State().currentIndex, 1);
  EXPECT_EQ(window.Widgets().pnlSongs->text(), QString::fromUtf8("2 曲"));
}

// Bold from the list's own face, so the current row costs no second face.
TEST_F(TMainWindow, TheCurrentRowIsTheListFontInBoldOfTheSameFace) {
  Write(SettingsPath(), "[ini]\r\nIndex=1\r\n");
  Write(ListPath(), ListRecord("a", "", "/m/a.mp3") + ListRecord("b", "", "/m/b.mp3"));
  const QTreeView& list = *Create().Widgets().ListView1;
  const QVariant current = list.model()->data(list.model()->index(1, 0), Qt::FontRole);
  ASSERT_TRUE(current.canConvert<QFont>());
  const QFont bold = current.value<QFont>();
  EXPECT_TRUE(bold.bold());
  EXPECT_EQ(bold.family(), list.font().family());
  EXPECT_EQ(bold.pixelSize(), list.font().pixelSize());
  EXPECT_EQ(QFontInfo(bold).styleName(), QFontInfo(list.font()).styleName());
  EXPECT_FALSE(list.model()->data(list.model()->index(0, 0), Qt::FontRole).isValid());
}

TEST_F(TMainWindow, AStoredIndexBeyondTheListStartsAtTheFirstItem) {
  Write(SettingsPath(), "[ini]\r\nIndex=7\r\n");
  Write(ListPath(), ListRecord("a", "", "/m/a.mp3"));
  EXPECT_EQ(Create().State().currentIndex, 0);
}

TEST_F(TMainWindow, ArgumentsAppendAndPlayTheLastAddedOnce) {
  const std::string known = Song("known.mp3");
  Write(ListPath(), ListRecord("known.mp3", "--:--", known));
  TForm1& window = Create({known});
  // Already listed: nothing added, nothing played.
  EXPECT_EQ(window.Playlist().Count(), 1);
  EXPECT_FALSE(window.MP3Player1().Opened());

  window.OpenHandedOver({Song("one.mp3"), Song("two.mp3"), Path("notes.txt")});
  EXPECT_EQ(window.Playlist().Count(), 3);
  EXPECT_EQ(window.State().currentIndex, 2);
  EXPECT_EQ(window.MP3Player1().FileName(), Path("two.mp3"));
  EXPECT_EQ(window.windowTitle(), QString::fromUtf8("Orvana - two.mp3 <再生中>"));
  EXPECT_EQ(window.Widgets().pnlSongs->text(), QString::fromUtf8("3 曲"));
  EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
}

TEST_F(TMainWindow, TheCloseBoxOnlyHides) {
  TForm1& window = Create();
  int exits = 0;
  QObject::connect(&window, &TForm1::exitRequested, [&exits] { ++exits; });
  EXPECT_FALSE(window.close());
  EXPECT_FALSE(window.isVisible());
  EXPECT_FALSE(window.Closed());
  EXPECT_EQ(exits, 0);
  EXPECT_FALSE(window.MP3Player1().PositionEvents()) << "nothing shows the position behind the tray";
  window.OpenHandedOver({});  // a second start without files
  EXPECT_TRUE(window.isVisible());
  EXPECT_TRUE(window.MP3Player1().PositionEvents());
  window.showMinimized();
  EXPECT_FALSE(window.MP3Player1().PositionEvents());
}

TEST_F(TMainWindow, DroppedFilesAndStationsAreAppendedInDropOrder) {
  TForm1& window = Create();
  QMimeData links;  // a file manager's or a browser's text/uri-list
  links.setUrls({QUrl::fromLocalFile(QString::fromStdString(Song("b.mp3"))), QUrl("https://example.org/a%20b?x=1"),
                 QUrl("ftp://example.org/x.mp3"), QUrl::fromLocalFile(QString::fromStdString(Path("folder"))),
                 QUrl::fromLocalFile(QString::fromStdString(Song("a.mp3")))});
  window.Drop(links);
  // An address dragged out of a browser's address bar; prose is no address.
  for (const char* text : {" http://127.0.0.1:9/live\n", "listen to http://127.0.0.1:9/other"}) {
    QMimeData plain;
    plain.setText(QString::fromUtf8(text));
    window.Drop(plain);
  }
  std::vector<std::string> paths;
  for (const TPlaylistItem& item : window.Playlist().Items()) paths.emplace_back(ItemPath(item));
  EXPECT_EQ(paths, (std::vector<std::string>{Path("b.mp3"), "https://example.org/a%20b?x=1", Path("a.mp3"),
                                             "http://127.0.0.1:9/live"}));
  EXPECT_EQ(window.Widgets().pnlSongs->text(), QString::fromUtf8("4 曲"));
  EXPECT_FALSE(window.MP3Player1().Opened());  // dropping does not play
}

// The URL dialog and a second start both reach a playlist on the web: read
// on a worker thread, its stations added on the window's, the first played.
TEST_F(TMainWindow, PlaylistsOnTheWebAreReadAwayFromTheWindow) {
  TForm1& window = Create();
  std::atomic<bool> onWindowThread{true};
  const std::thread::id windowThread = std::this_thread::get_id();
  window.SetFetchText([&](const std::string& url, std::size_t maxBytes, int, const std::atomic<bool>*) {
    onWindowThread = onWindowThread && std::this_thread::get_id() == windowThread;
    EXPECT_EQ(maxBytes, kMaxWebPlaylistBytes);
    if (url.ends_with("gone.m3u")) throw player::EStreamError("The station answered 404 Not Found.");
    return std::string("[playlist]\nFile2=http://127.0.0.1:9/b\nFile1=http://127.0.0.1:9/a\nTitle1=A FM\n");
  });
  answerDialog = [](QDialog& dialog) {
    dialog.findChild<QLineEdit*>("edtUrl")->setText(QStringLiteral("http://127.0.0.1:9/radio.pls"));
    return int(QDialog::Accepted);
  };
  window.Actions()[aiOpenUrl].Execute();
  EXPECT_EQ(dialogs.back(), QString::fromUtf8("URLを開く"));
  ASSERT_TRUE(WaitUntil([&] { return window.Playlist().Count() == 2; }));
  EXPECT_FALSE(onWindowThread);
  EXPECT_EQ(window.Playlist().Item(0).Caption(), "A FM");
  EXPECT_EQ(window.State().currentIndex, 0);
  EXPECT_EQ(window.MP3Player1().FileName(), "http://127.0.0.1:9/a");
  EXPECT_EQ(window.Widgets().pnlSongs->text(), QString::fromUtf8("2 曲"));

  window.OpenHandedOver({"http://127.0.0.1:9/gone.m3u"});
  const QString sentence = QStringLiteral("The station answered 404 Not Found.");
  ASSERT_TRUE(WaitUntil([&] { return errors.contains(sentence); }));
  EXPECT_EQ(errors.count(sentence), 1);
  EXPECT_EQ(window.Playlist().Count(), 2);
  EXPECT_EQ(window.Commands().WebReadsPending(), 0);
}

TEST_F(TMainWindow, AColumnClickSortsAndTheCurrentSongStaysCurrent) {
  Write(SettingsPath(), "[ini]\r\nIndex=0\r\n");
  Write(ListPath(), ListRecord("c", "", "/m/1.mp3") + ListRecord("a", "", "/m/3.mp3") + ListRecord("b", "", "/m/2.mp3"));
  TForm1& window = Create();
  emit window.Widgets().ListView1->header()->sectionClicked(0);
  EXPECT_EQ(window.Playlist().Item(0).Caption(), "a");
  EXPECT_EQ(window.Playlist().Item(2).Caption(), "c");
  EXPECT_EQ(window.State().currentIndex, 2);
  emit window.Widgets().ListView1->header()->sectionClicked(8);  // the path column
  EXPECT_EQ(window.Playlist().Item(0).Caption(), "c");
  EXPECT_EQ(window.State().currentIndex, 0);
}

TEST_F(TMainWindow, DeletingTheSelectionLowersTheTotalAndTheCount) {
  Write(SettingsPath(), "[ini]\r\nTotalTime=300\r\n");
  Write(ListPath(), ListRecord("a", "03:25", "/m/a.mp3") + ListRecord("b", "01:00", "/m/b.mp3") +
                        ListRecord("c", "--:--", "/m/c.mp3"));
  TForm1& window = Create();
  TPlaylistView& list = *window.Widgets().ListView1;
  EXPECT_FALSE(window.Actions().QtAction(aiDelete)->isEnabled());
  list.selectionModel()->select(list.model()->index(0, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
  EXPECT_TRUE(window.Actions().QtAction(aiDelete)->isEnabled());
  window.Actions()[aiDelete].Execute();
  EXPECT_EQ(window.Playlist().Count(), 2);
  EXPECT_EQ(window.State().totalSeconds, 95);
  EXPECT_EQ(window.Widgets().pnlSongs->text(), QString::fromUtf8("2 曲"));
  EXPECT_FALSE(window.Actions().QtAction(aiDelete)->isEnabled());

  window.Actions()[aiDeleteAll].Execute();
  EXPECT_EQ(window.Playlist().Count(), 0);
  EXPECT_EQ(window.Widgets().pnlTime->text(), QString::fromUtf8("総演奏時間: 00:00"));
  EXPECT_FALSE(window.Actions().QtAction(aiDeleteAll)->isEnabled());
}

TEST_F(TMainWindow, ReversingKeepsTheCurrentSong) {
  Write(SettingsPath(), "[ini]\r\nIndex=0\r\n");
  Write(ListPath(), ListRecord("1", "", "/m/1.mp3") + ListRecord("2", "", "/m/2.mp3") + ListRecord("3", "", "/m/3.mp3"));
  TForm1& window = Create();
  window.Actions()[aiReverseList].Execute();
  EXPECT_EQ(window.Playlist().Item(0).Caption(), "3");
  EXPECT_EQ(window.State().currentIndex, 2);
  window.Actions()[aiShuffleList].Execute();
  EXPECT_EQ(window.Playlist().Item(window.State().currentIndex).Caption(), "1");
}

TEST_F(TMainWindow, AFailedWriteIsReportedAndTheOldFilesStayWhole) {
  Write(ListPath(), ListRecord("a", "", "/m/a.mp3"));
  TForm1& window = Create();
  // The list file's place becomes a folder: no file can be renamed over it.
  std::filesystem::remove(ListPath());
  std::filesystem::create_directory(ListPath());
  EXPECT_FALSE(window.FormClose());
  ASSERT_EQ(errors.size(), 1);
  EXPECT_TRUE(errors.front().contains(QString::fromStdString(ListPath()))) << errors.front().toStdString();
  EXPECT_TRUE(std::filesystem::exists(SettingsPath()));  // the settings were still written
}

TEST_F(TMainWindow, DamagedFilesStartWithWhatIsReadable) {
  const char settings[] = "[ini]\r\nForm.Left=\0\0x\r\nForm.ClientWidth=99999999999\r\n\xff\xfe";
  Write(SettingsPath(), std::string(settings, sizeof settings - 1));
  Write(ListPath(), ListRecord("a", "", "/m/a.mp3") + "b\r\n4000000000\r\nonly\r\n");
  TForm1& window = Create();
  EXPECT_EQ(window.Playlist().Count(), 1);
  EXPECT_EQ(window.pos(), QPoint(32, 32));
  EXPECT_EQ(window.width(), 560);
  EXPECT_TRUE(errors.isEmpty());
}

}  // namespace
}  // namespace orvana::app::testing
