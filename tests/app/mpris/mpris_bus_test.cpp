// The player's signals, the program's own calls and its bus name, seen from
// a bus connection of the test's own.
#include <gtest/gtest.h>

#include <algorithm>

#include <QDBusArgument>
#include <QDBusError>
#include <QDBusVariant>
#include <QUrl>

#include "app/playlist/song_item.h"
#include "mpris_fixture.h"

namespace orvana::app::testing {

// What the player announces on the bus.
class TMprisSignalRecorder : public QObject {
  Q_OBJECT

 public:
  QList<QVariantMap> changes;
  QList<qlonglong> seeks;

 public slots:
  void PropertiesChanged(const QString& interface, const QVariantMap& changed, const QStringList&) {
    if (interface == QLatin1String("org.mpris.MediaPlayer2.Player")) changes << changed;
  }
  void Seeked(qlonglong position) { seeks << position; }
};

namespace {

using player::msPaused;
using player::msPlaying;

constexpr const char* kRoot = "org.mpris.MediaPlayer2";
constexpr const char* kPlayer = "org.mpris.MediaPlayer2.Player";

class MprisBus : public MprisFixture {
 protected:
  void Listen() {
    const QString service = QString::fromLatin1(TMprisService::kServiceName);
    const QString path = QString::fromLatin1(TMprisService::kObjectPath);
    ASSERT_TRUE(client.connect(service, path, "org.freedesktop.DBus.Properties", "PropertiesChanged", &recorder,
                               SLOT(PropertiesChanged(QString, QVariantMap, QStringList))));
    ASSERT_TRUE(client.connect(service, path, kPlayer, "Seeked", &recorder, SLOT(Seeked(qlonglong))));
  }
  // The last announced value of `property`, waited for.
  QVariant Announced(const QString& property) {
    QVariant value;
    WaitUntil([&] {
      for (const QVariantMap& change : recorder.changes)
        if (change.contains(property)) value = change.value(property);
      return value.isValid();
    }, kWaitMs);
    return value;
  }
  QVariant Property(const char* interface, const char* name) {
    const QDBusMessage reply = Call("org.freedesktop.DBus.Properties", "Get", {interface, name});
    return reply.arguments().isEmpty() ? QVariant() : reply.arguments().first().value<QDBusVariant>().variant();
  }

  TMprisSignalRecorder recorder;
};

TEST_F(MprisBus, ChangesMadeInTheWindowAreAnnounced) {
  TForm1& window = StartWith({LongSong("a.mp3"), LongSong("b.mp3")});
  Listen();

  window.Actions()[aiPause].Execute();
  EXPECT_EQ(Announced("PlaybackStatus").toString(), "Paused");
  recorder.changes.clear();
  window.Actions()[aiRepeat].Execute();
  EXPECT_EQ(Announced("LoopStatus").toString(), "Playlist");
  EXPECT_FALSE(recorder.changes.first().contains("Metadata"));  // only what changed
  window.Widgets().trbVolume->setValue(70);
  EXPECT_EQ(Announced("Volume").toDouble(), 0.7);

  recorder.changes.clear();
  window.Actions()[aiNext].Execute();  // paused: the next song is selected and plays
  const QVariant metadata = Announced("Metadata");
  ASSERT_TRUE(metadata.isValid());
  const QVariantMap fields = qdbus_cast<QVariantMap>(metadata.value<QDBusArgument>());
  EXPECT_EQ(QUrl(fields.value("xesam:url").toString()).toLocalFile().toStdString(), Path("a.mp3"));

  // A press on the progress bar, half way along.
  ASSERT_TRUE(WaitUntil([&] { return window.MP3Player1().Status() == msPlaying; }));
  window.Playback().SeekAt(window.Widgets().ProgressBar1->width() / 2);
  ASSERT_TRUE(WaitUntil([&] { return !recorder.seeks.isEmpty(); }));
  EXPECT_NEAR(double(recorder.seeks.first()), window.MP3Player1().Length() * 500.0, 1e6);
}

TEST_F(MprisBus, TheNextSongIsAnnouncedWhenItIsHeardWithoutAStopBetween) {
  TForm1& window = StartWith({});
  window.Playlist().Append({ItemFromFileName(Song("a.mp3")), ItemFromFileName(Song("b.mp3"))});
  Listen();
  window.Playback().PlayRow(0);
  const auto urlOf = [](const QVariantMap& change) {
    const QVariantMap fields = qdbus_cast<QVariantMap>(change.value("Metadata").value<QDBusArgument>());
    return QUrl(fields.value("xesam:url").toString()).toLocalFile().toStdString();
  };
  ASSERT_TRUE(WaitUntil([&] {
    return std::any_of(recorder.changes.begin(), recorder.changes.end(),
                       [&](const QVariantMap& change) { return urlOf(change) == Path("b.mp3"); });
  }, kWaitMs));
  for (const QVariantMap& change : recorder.changes)
    EXPECT_NE(change.value("PlaybackStatus").toString(), "Stopped") << "the song changed, play went on";
}

TEST_F(MprisBus, PropertiesAnswerFromTheWindow) {
  TForm1& window = StartWith({LongSong("a.mp3")});
  EXPECT_EQ(Property(kRoot, "Identity").toString(), "Orvana");
  EXPECT_EQ(Property(kRoot, "DesktopEntry").toString(), "orvana");
  EXPECT_EQ(Property(kRoot, "SupportedUriSchemes").toStringList(), (QStringList{"file", "http", "https"}));
  EXPECT_EQ(Property(kRoot, "SupportedMimeTypes").toStringList(),
            (QStringList{"audio/mpeg", "audio/x-mpegurl", "audio/mpegurl", "audio/x-scpls"}));
  EXPECT_TRUE(Property(kRoot, "CanQuit").toBool());
  EXPECT_TRUE(Property(kRoot, "CanRaise").toBool());

  EXPECT_EQ(Property(kPlayer, "Rate").toDouble(), 1.0);
  EXPECT_TRUE(Property(kPlayer, "CanControl").toBool());
  EXPECT_TRUE(Property(kPlayer, "CanSeek").toBool());
  // One song: next and previous are the tool buttons' answer.
  EXPECT_EQ(Property(kPlayer, "CanGoNext").toBool(), window.Actions().QtAction(aiNext)->isEnabled());
  EXPECT_EQ(Property(kPlayer, "CanGoPrevious").toBool(), window.Actions().QtAction(aiPrevious)->isEnabled());
  EXPECT_GE(Property(kPlayer, "Position").toLongLong(), 0);

  window.Actions()[aiStop].Execute();
  EXPECT_FALSE(Property(kPlayer, "CanSeek").toBool());
  EXPECT_FALSE(Property(kPlayer, "CanPause").toBool());
  EXPECT_TRUE(Property(kPlayer, "CanPlay").toBool());
  EXPECT_EQ(Property(kPlayer, "Position").toLongLong(), 0);
}

TEST_F(MprisBus, OpenUriAddsAndPlaysALocalFileOrAStation) {
  TForm1& window = StartWith({LongSong("a.mp3")});
  const std::string c = LongSong("c d.mp3");

  const QDBusMessage other = Call(kPlayer, "OpenUri", {"ftp://example.org/c.mp3"});
  EXPECT_EQ(other.type(), QDBusMessage::ErrorMessage);
  EXPECT_EQ(other.errorName(), QDBusError::errorString(QDBusError::NotSupported));
  EXPECT_EQ(Call(kPlayer, "OpenUri", {"not a uri at all"}).type(), QDBusMessage::ErrorMessage);
  EXPECT_EQ(Call(kPlayer, "OpenUri", {"http://"}).type(), QDBusMessage::ErrorMessage);
  EXPECT_EQ(window.Playlist().Count(), 1);

  const QString uri = QUrl::fromLocalFile(QString::fromStdString(c)).toString(QUrl::FullyEncoded);
  EXPECT_EQ(Call(kPlayer, "OpenUri", {uri}).type(), QDBusMessage::ReplyMessage);
  ASSERT_TRUE(WaitUntil([&] { return PlayingFile() == c; }));
  EXPECT_EQ(window.Playlist().Count(), 2);
  EXPECT_EQ(window.State().currentIndex, 1);

  // A station is handed to the player as it is, whether or not it connects:
  // nothing listens there, and the player may have given up before a look.
  const std::string station = "http://127.0.0.1:9/radio?id=1";
  EXPECT_EQ(Call(kPlayer, "OpenUri", {QString::fromStdString(station)}).type(), QDBusMessage::ReplyMessage);
  ASSERT_TRUE(WaitUntil([&] {
    return PlayingFile() == station || errors.join('\n').contains("The station does not answer");
  }));
  ASSERT_EQ(window.Playlist().Count(), 3);
  EXPECT_EQ(ItemPath(window.Playlist().Item(2)), station);
  EXPECT_EQ(window.State().currentIndex, 2);
}

TEST_F(MprisBus, SetPositionForAnotherTrackIsIgnored) {
  TForm1& window = StartWith({LongSong("a.mp3")});
  const QVariant current = qdbus_cast<QVariantMap>(Property(kPlayer, "Metadata").value<QDBusArgument>())
                               .value("mpris:trackid");
  const QDBusObjectPath id = current.value<QDBusObjectPath>();
  ASSERT_TRUE(id.path().startsWith("/org/orvana/Track/")) << id.path().toStdString();

  Call(kPlayer, "SetPosition", {QVariant::fromValue(QDBusObjectPath("/org/orvana/Track/999")), qlonglong(9'000'000)});
  Call(kPlayer, "SetPosition", {QVariant::fromValue(id), qlonglong(-1)});
  Call(kPlayer, "SetPosition", {QVariant::fromValue(id), qlonglong(3'600'000'000)});
  Spin(100);
  EXPECT_LT(window.MP3Player1().Position(), 5'000);

  Call(kPlayer, "SetPosition", {QVariant::fromValue(id), qlonglong(9'000'000)});
  EXPECT_TRUE(WaitUntil([&] { return window.MP3Player1().Position() >= 8'500; }));
}

TEST_F(MprisBus, RaiseShowsTheHiddenWindowAndQuitEndsTheProgramSaved) {
  TForm1& window = StartWith({LongSong("a.mp3")});
  window.Actions()[aiHide].Execute();
  ASSERT_FALSE(window.isVisible());
  EXPECT_EQ(Call(kRoot, "Raise").type(), QDBusMessage::ReplyMessage);
  EXPECT_TRUE(WaitUntil([&] { return window.isVisible(); }));

  bool exited = false;
  QObject::connect(&window, &TForm1::exitRequested, [&] { exited = true; });
  EXPECT_EQ(Call(kRoot, "Quit").type(), QDBusMessage::ReplyMessage);
  EXPECT_TRUE(WaitUntil([&] { return exited; }));
  EXPECT_TRUE(window.Closed());
  EXPECT_NE(Read(SettingsPath()).find("Form.Visible=1"), std::string::npos);
}

TEST_F(MprisBus, ATakenNameGivesTheNumberedOneAndNoBusNone) {
  ASSERT_TRUE(client.registerService(QString::fromLatin1(TMprisService::kServiceName)));
  StartWith({});
  EXPECT_EQ(service->ServiceName(),
            QStringLiteral("org.mpris.MediaPlayer2.orvana.instance%1").arg(QCoreApplication::applicationPid()));

  TMprisService offline(*form, QDBusConnection(QStringLiteral("no-such-connection")));
  EXPECT_FALSE(offline.Register());
  EXPECT_TRUE(offline.ServiceName().isEmpty());
}

}  // namespace
}  // namespace orvana::app::testing

#include "mpris_bus_test.moc"
