// The cover as the desktop sees it: playerctl reads the media controls'
// artUrl, and a notification service of the test's own receives the
// notifications of a new song.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDBusConnection>
#include <QDir>
#include <QImage>
#include <QUrl>

#include "app/desktop/song_notifier.h"
#include "app/dialogs/config_dialog.h"
#include "app/window/cover_song.h"
#include "mpris_fixture.h"

namespace orvana::app::testing {

// org.freedesktop.Notifications as a desktop's server answers it: each call
// gets a new id.
class TFakeNotifications : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

 public:
  struct TCall {
    QString appName;
    uint replacesId;
    QString appIcon;
    QString summary;
    QString body;
    QVariantMap hints;
    uint id;
    QImage image;  // opened when the call comes, as a server does
  };
  QList<TCall> calls;

 public slots:
  uint Notify(const QString& appName, uint replacesId, const QString& appIcon, const QString& summary,
              const QString& body, const QStringList&, const QVariantMap& hints, int) {
    calls << TCall{appName, replacesId, appIcon, summary, body, hints, uint(100 + calls.size()),
                   hints.contains("image-path") ? QImage(hints.value("image-path").toString()) : QImage()};
    return calls.back().id;
  }
};

namespace {

class MprisCover : public MprisFixture {
 protected:
  void SetUp() override {
    MprisFixture::SetUp();
    cacheFolder = QString::fromStdString(Path("cache"));
    savedCacheHome = qgetenv("XDG_CACHE_HOME");
    qputenv("XDG_CACHE_HOME", cacheFolder.toLocal8Bit());
  }
  void TearDown() override {
    MprisFixture::TearDown();
    qputenv("XDG_CACHE_HOME", savedCacheHome);
  }
  QStringList CachedCovers() const { return QDir(cacheFolder + "/orvana").entryList(QDir::Files); }
  std::string CoverSong(const std::string& name, const QByteArray& picture, const char* mime = "image/png") {
    Write(Path(name), SongWithCover(Read(LongSong(name)), picture, name, mime, "Singer " + name));
    return Path(name);
  }

  QString cacheFolder;
  QByteArray savedCacheHome;
};

TEST_F(MprisCover, ArtUrlNamesAFileWithThePicturesPixelsAndTheCacheKeepsOne) {
  const QByteArray png = PictureBytes(300, 150);
  const QByteArray jpeg = PictureBytes(64, 64, "JPEG");
  const std::string plain = LongSong("plain.mp3");
  StartWith({CoverSong("a.mp3", png), CoverSong("b.mp3", jpeg, "image/jpeg"), plain});
  ASSERT_EQ(PlayingFile(), plain);
  EXPECT_EQ(Playerctl({"metadata", "mpris:artUrl"}), "");
  EXPECT_TRUE(CachedCovers().isEmpty());

  form->Playback().PlayRow(0);
  const QUrl first(Playerctl({"metadata", "mpris:artUrl"}));
  ASSERT_TRUE(first.isLocalFile()) << first.toString().toStdString();
  EXPECT_TRUE(first.toLocalFile().endsWith(".png"));
  EXPECT_EQ(QImage(first.toLocalFile()), QImage::fromData(png));

  form->Playback().PlayRow(1);
  const QUrl second(Playerctl({"metadata", "mpris:artUrl"}));
  ASSERT_TRUE(second.isLocalFile());
  EXPECT_TRUE(second.toLocalFile().endsWith(".jpg"));
  QFile file(second.toLocalFile());
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), jpeg);  // the bytes as embedded: the same pixels
  EXPECT_EQ(CachedCovers(), QStringList{QFileInfo(second.toLocalFile()).fileName()});

  form->Playback().PlayRow(0);
  EXPECT_EQ(QUrl(Playerctl({"metadata", "mpris:artUrl"})), first);
  form->Playback().PlayRow(2);
  EXPECT_EQ(Playerctl({"metadata", "mpris:artUrl"}), "");
  EXPECT_TRUE(CachedCovers().isEmpty());
  form->Actions()[aiStop].Execute();
}

TEST_F(MprisCover, NotificationsOnlyOnceTurnedOnEachReplacingTheLast) {
  static int connections = 0;
  const QString serverName = QStringLiteral("notification-server-%1").arg(++connections);
  const QString notifierName = QStringLiteral("notifier-%1").arg(connections);
  QDBusConnection server = QDBusConnection::connectToBus(Address(), serverName);
  TFakeNotifications notifications;
  ASSERT_TRUE(server.registerObject(TSongNotifier::kObjectPath, &notifications, QDBusConnection::ExportAllSlots));
  ASSERT_TRUE(server.registerService(TSongNotifier::kServiceName));

  const QByteArray png = PictureBytes(40, 20);
  const std::string plain = LongSong("plain.mp3");
  StartWith({CoverSong("a.mp3", png), CoverSong("b.mp3", png), plain});
  auto notifier = std::make_unique<TSongNotifier>(*form, QDBusConnection::connectToBus(Address(), notifierName));
  form->Playback().PlayRow(0);  // off at first: nothing

  answerDialog = [](QDialog& dialog) {
    auto& config = dynamic_cast<TdlgConfig&>(dialog);
    EXPECT_FALSE(config.chkNotifySongChange->isChecked());
    config.chkNotifySongChange->setChecked(true);
    return int(QDialog::Accepted);
  };
  form->Actions()[aiOptions].Execute();
  ASSERT_TRUE(form->State().notifySongChange);

  form->Playback().PlayRow(1);
  ASSERT_TRUE(WaitUntil([&] { return !notifications.calls.isEmpty(); }, kWaitMs));
  form->Playback().PlayRow(2);
  ASSERT_TRUE(WaitUntil([&] { return notifications.calls.size() >= 2; }, kWaitMs));
  // The song heard while they were off was never told of: calls arrive in order.
  ASSERT_EQ(notifications.calls.size(), 2);
  const auto& withCover = notifications.calls[0];
  EXPECT_EQ(withCover.appName, "Orvana");
  EXPECT_EQ(withCover.replacesId, 0u);
  EXPECT_EQ(withCover.summary, "b.mp3");
  EXPECT_EQ(withCover.body, "Singer b.mp3");
  const QString image = withCover.hints.value("image-path").toString();
  ASSERT_FALSE(image.isEmpty());
  EXPECT_TRUE(image.startsWith(cacheFolder + "/orvana/"));
  EXPECT_EQ(withCover.image, QImage::fromData(png));
  const auto& plainSong = notifications.calls[1];
  EXPECT_EQ(plainSong.replacesId, withCover.id);
  EXPECT_EQ(plainSong.summary, QString::fromStdString(form->MP3Player1().Title()));
  EXPECT_FALSE(plainSong.hints.contains("image-path"));
  EXPECT_EQ(plainSong.appIcon, "orvana");

  notifier.reset();
  form->Actions()[aiStop].Execute();
  QDBusConnection::disconnectFromBus(notifierName);
  server.unregisterService(TSongNotifier::kServiceName);
  server = QDBusConnection(QString());
  QDBusConnection::disconnectFromBus(serverName);
}

}  // namespace
}  // namespace orvana::app::testing

#include "mpris_cover_test.moc"
