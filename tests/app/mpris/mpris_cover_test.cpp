// Notifications of a new song, received by a notification service of the
// test's own on the private bus.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDBusConnection>
#include <QImage>

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
  std::string CoverSong(const std::string& name, const QByteArray& picture) {
    Write(Path(name), SongWithCover(Read(LongSong(name)), picture, name, "image/png", "Singer " + name));
    return Path(name);
  }

  QString cacheFolder;
  QByteArray savedCacheHome;
};

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
