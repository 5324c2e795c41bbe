#include "app/desktop/mpris_service.h"

#include <unistd.h>

#include <QAction>
#include <QDBusMessage>
#include <QUrl>

#include "app/desktop/mpris_player_adaptor.h"
#include "app/desktop/mpris_root_adaptor.h"
#include "app/playlist/stream_address.h"
#include "app/window/main_window.h"

namespace orvana::app {

using namespace player;

namespace {

constexpr const char* kPlayerInterface = "org.mpris.MediaPlayer2.Player";

}  // namespace

TMprisService::TMprisService(TForm1& form, QDBusConnection connection, QObject* parent)
    : QObject(parent), form_(form), playerAdaptor_(nullptr), connection_(std::move(connection)) {
  new TMprisRootAdaptor(*this);
  playerAdaptor_ = new TMprisPlayerAdaptor(*this);
  publishTimer_.setSingleShot(true);
  publishTimer_.setInterval(0);
  connect(&publishTimer_, &QTimer::timeout, this, &TMprisService::PublishChanges);
  connect(&form_, &TForm1::playbackChanged, this, &TMprisService::SchedulePublish);
  connect(&form_, &TForm1::seeked, this, [this](qint64 position) { EmitSeeked(position); });
  connect(&form_.Volume(), &TVolumeControl::changed, this, &TMprisService::SchedulePublish);
  // Enable rules and the repeat and shuffle marks.
  for (int id = 0; id < kActionCount; ++id)
    connect(form_.Actions().QtAction(TActionId(id)), &QAction::changed, this, &TMprisService::SchedulePublish);
}

TMprisService::~TMprisService() {
  if (serviceName_.isEmpty()) return;
  connection_.unregisterObject(QString::fromLatin1(kObjectPath));
  connection_.unregisterService(serviceName_);
}

bool TMprisService::Register() {
  if (!connection_.isConnected()) return false;
  if (!connection_.registerObject(QString::fromLatin1(kObjectPath), this, QDBusConnection::ExportAdaptors))
    return false;
  // The name is the program's; a second program of another user's making
  // (or a stale copy) gets the numbered one the convention provides.
  for (const QString& name : {QString::fromLatin1(kServiceName),
                              QStringLiteral("%1.instance%2").arg(QLatin1String(kServiceName)).arg(::getpid())}) {
    if (connection_.registerService(name)) {
      serviceName_ = name;
      published_ = State();
      return true;
    }
  }
  connection_.unregisterObject(QString::fromLatin1(kObjectPath));
  return false;
}

TMprisState TMprisService::State() const {
  TMP3Player& player = form_.MP3Player1();
  TActionList& actions = form_.Actions();
  auto enabled = [&actions](TActionId id) { return actions.QtAction(id)->isEnabled(); };
  TMprisState state;
  state.status = player.Status();
  state.repeat = actions[aiRepeat].Checked();
  state.shuffle = actions[aiShuffle].Checked();
  state.volume = player.Volume();
  state.canGoNext = enabled(aiNext);
  state.canGoPrevious = enabled(aiPrevious);
  state.canPlay = enabled(aiPlay);
  state.canPause = enabled(aiPause);
  const bool songOpen = IsSongOpen(state.status);
  state.canSeek = songOpen && player.Capabilities().Has(mpcSeek);
  if (songOpen) {
    TMprisTrack& track = state.track;
    track.serial = form_.Playback().SongsStarted();
    track.path = player.FileName();
    track.lengthMs = player.Length();
    track.title = player.Title();
    track.artist = player.Artist();
    // A station is where its stream titles come from.
    track.album = player.NetworkStream() ? player.Station().name : player.Album();
    track.genre = player.KnownGenre();
    track.trackNumber = player.Track();
    track.lyrics = form_.Playback().Lyrics().Lines();
    track.coverFile = form_.Playback().Cover().File().toStdString();
  }
  return state;
}

qint64 TMprisService::PositionUs() const {
  TMP3Player& player = form_.MP3Player1();
  return IsSongOpen(player.Status()) ? qint64(player.Position()) * 1000 : 0;
}

void TMprisService::Post(std::function<void()> command) {
  QTimer::singleShot(0, this, std::move(command));
}

void TMprisService::Raise() {
  Post([this] { form_.BringToFront(); });
}

void TMprisService::Quit() {
  Post([this] { form_.Actions()[aiExit].Execute(); });
}

void TMprisService::Play() {
  Post([this] {
    const TMP3Status status = form_.MP3Player1().Status();
    if (status == msPaused) {
      form_.Actions()[aiPause].Execute();  // resumes
    } else if (status != msPlaying) {
      form_.Actions()[aiPlay].Execute();
    }
  });
}

void TMprisService::Pause() {
  Post([this] {
    if (form_.MP3Player1().Status() == msPlaying) form_.Actions()[aiPause].Execute();
  });
}

void TMprisService::PlayPause() {
  Post([this] { form_.Actions()[IsSongOpen(form_.MP3Player1().Status()) ? aiPause : aiPlay].Execute(); });
}

void TMprisService::Stop() {
  Post([this] { form_.Actions()[aiStop].Execute(); });
}

void TMprisService::Next() {
  Post([this] { form_.Actions()[aiNext].Execute(); });
}

void TMprisService::Previous() {
  Post([this] { form_.Actions()[aiPrevious].Execute(); });
}

void TMprisService::Seek(qint64 offsetUs) {
  Post([this, offsetUs] {
    const TMprisState state = State();
    if (!state.canSeek) return;
    const qint64 target = PositionUs() / 1000 + offsetUs / 1000;
    if (target > state.track.lengthMs) {
      form_.Actions()[aiNext].Execute();
      return;
    }
    form_.Playback().SeekTo(std::max<qint64>(target, 0));
  });
}

void TMprisService::SetPosition(const QString& trackId, qint64 positionUs) {
  Post([this, trackId, positionUs] {
    const TMprisState state = State();
    // A request for a song that has since given way to another is stale.
    if (!state.canSeek || trackId != MprisTrackId(state)) return;
    if (positionUs < 0 || positionUs / 1000 > state.track.lengthMs) return;
    form_.Playback().SeekTo(positionUs / 1000);
  });
}

bool TMprisService::OpenUri(const QString& uri) {
  const std::string address = uri.trimmed().toStdString();
  if (IsStationAddress(address)) {
    Post([this, address] { form_.OpenAddress(address); });
    return true;
  }
  const QUrl url(uri, QUrl::StrictMode);
  if (!url.isValid() || !url.isLocalFile() || url.toLocalFile().isEmpty()) return false;
  const std::string path = url.toLocalFile().toStdString();
  Post([this, path] { form_.OpenHandedOver({path}); });
  return true;
}

void TMprisService::SetLoopStatus(const QString& status) {
  bool repeat;
  if (status == QLatin1String("None")) {
    repeat = false;
  } else if (status == QLatin1String("Playlist")) {
    repeat = true;
  } else {
    return;  // "Track": one song over and over is not a mode of this player
  }
  if (form_.Actions()[aiRepeat].Checked() != repeat) form_.Actions()[aiRepeat].Execute();
}

void TMprisService::SetShuffle(bool shuffle) {
  if (form_.Actions()[aiShuffle].Checked() != shuffle) form_.Actions()[aiShuffle].Execute();
}

void TMprisService::SetVolume(double volume) { form_.Volume().Set(PlayerVolumeFromMpris(volume)); }

void TMprisService::SchedulePublish() {
  if (!serviceName_.isEmpty()) publishTimer_.start();
}

void TMprisService::PublishChanges() {
  const TMprisState state = State();
  const QVariantMap changed = ChangedMprisPlayerProperties(published_, state);
  published_ = state;
  if (changed.isEmpty()) return;
  QDBusMessage signal = QDBusMessage::createSignal(QString::fromLatin1(kObjectPath),
                                                   QStringLiteral("org.freedesktop.DBus.Properties"),
                                                   QStringLiteral("PropertiesChanged"));
  signal << QString::fromLatin1(kPlayerInterface) << changed << QStringList();
  connection_.send(signal);
}

void TMprisService::EmitSeeked(std::int64_t positionMs) {
  emit playerAdaptor_->Seeked(qint64(positionMs) * 1000);
}

}  // namespace orvana::app
