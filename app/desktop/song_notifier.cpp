#include "app/desktop/song_notifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>
#include <QVariantMap>

#include "app/window/main_window.h"

namespace orvana::app {

namespace {

constexpr const char* kAppIcon = "orvana";
constexpr int kServerTimeout = -1;  // the server's own choice

}  // namespace

TSongNotifier::TSongNotifier(TForm1& form, QDBusConnection connection, QObject* parent)
    : QObject(parent), form_(form), connection_(std::move(connection)) {
  connect(&form_, &TForm1::songHeard, this, &TSongNotifier::SongHeard);
}

void TSongNotifier::SongHeard() {
  player::TMP3Player& player = form_.MP3Player1();
  const QString title = QString::fromStdString(player.Title());
  const int songsHeard = form_.Playback().SongsStarted();
  // A station's state changes without a new title: told once per title.
  if (songsHeard == songsHeard_ && title == lastTitle_) return;
  songsHeard_ = songsHeard;
  lastTitle_ = title;
  if (!form_.State().notifySongChange || title.isEmpty()) return;
  const std::string artist = player.NetworkStream() ? player.Station().name : player.Artist();
  Notify({title, QString::fromStdString(artist), form_.Playback().Cover().File()});
}

void TSongNotifier::Notify(const TSongNotice& notice) {
  if (!connection_.isConnected()) return;
  // The id to replace comes with the answer to the call before.
  if (waiting_) {
    next_ = notice;
    return;
  }
  Send(notice);
}

void TSongNotifier::Send(const TSongNotice& notice) {
  QDBusMessage call = QDBusMessage::createMethodCall(QString::fromLatin1(kServiceName), QString::fromLatin1(kObjectPath),
                                                     QString::fromLatin1(kServiceName), QStringLiteral("Notify"));
  QVariantMap hints;
  if (!notice.imagePath.isEmpty()) hints.insert(QStringLiteral("image-path"), notice.imagePath);
  call << QStringLiteral(ORVANA_PRODUCT_NAME) << shownId_ << QString::fromLatin1(kAppIcon) << notice.summary
       << notice.body << QStringList() << hints << kServerTimeout;
  waiting_ = true;
  auto* watcher = new QDBusPendingCallWatcher(connection_.asyncCall(call), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* answered) {
    answered->deleteLater();
    const QDBusPendingReply<uint> reply = *answered;
    if (!reply.isError()) shownId_ = reply.value();
    waiting_ = false;
    if (next_) {
      const TSongNotice notice = *next_;
      next_.reset();
      Send(notice);
    }
  });
}

}  // namespace orvana::app
