#include "app/desktop/mpris_player_adaptor.h"

#include <QDBusError>

#include "app/desktop/mpris_service.h"

namespace orvana::app {

TMprisPlayerAdaptor::TMprisPlayerAdaptor(TMprisService& service)
    : QDBusAbstractAdaptor(&service), service_(service) {}

QString TMprisPlayerAdaptor::PlaybackStatus() const { return MprisPlaybackStatus(service_.State().status); }

QString TMprisPlayerAdaptor::LoopStatus() const { return MprisLoopStatus(service_.State().repeat); }

void TMprisPlayerAdaptor::SetLoopStatus(const QString& status) { service_.SetLoopStatus(status); }

bool TMprisPlayerAdaptor::Shuffle() const { return service_.State().shuffle; }

void TMprisPlayerAdaptor::SetShuffle(bool shuffle) { service_.SetShuffle(shuffle); }

QVariantMap TMprisPlayerAdaptor::Metadata() const { return MprisMetadata(service_.State()); }

double TMprisPlayerAdaptor::Volume() const { return service_.State().volume / 100.0; }

void TMprisPlayerAdaptor::SetVolume(double volume) { service_.SetVolume(volume); }

qlonglong TMprisPlayerAdaptor::Position() const { return service_.PositionUs(); }

bool TMprisPlayerAdaptor::CanGoNext() const { return service_.State().canGoNext; }

bool TMprisPlayerAdaptor::CanGoPrevious() const { return service_.State().canGoPrevious; }

bool TMprisPlayerAdaptor::CanPlay() const { return service_.State().canPlay; }

bool TMprisPlayerAdaptor::CanPause() const { return service_.State().canPause; }

bool TMprisPlayerAdaptor::CanSeek() const { return service_.State().canSeek; }

void TMprisPlayerAdaptor::Next() { service_.Next(); }

void TMprisPlayerAdaptor::Previous() { service_.Previous(); }

void TMprisPlayerAdaptor::Pause() { service_.Pause(); }

void TMprisPlayerAdaptor::PlayPause() { service_.PlayPause(); }

void TMprisPlayerAdaptor::Stop() { service_.Stop(); }

void TMprisPlayerAdaptor::Play() { service_.Play(); }

void TMprisPlayerAdaptor::Seek(qlonglong Offset) { service_.Seek(Offset); }

void TMprisPlayerAdaptor::SetPosition(const QDBusObjectPath& TrackId, qlonglong Position) {
  service_.SetPosition(TrackId.path(), Position);
}

void TMprisPlayerAdaptor::OpenUri(const QString& Uri) {
  if (!service_.OpenUri(Uri) && service_.calledFromDBus())
    service_.sendErrorReply(QDBusError::NotSupported, QStringLiteral("Only local files and http(s) addresses can be opened: %1").arg(Uri));
}

}  // namespace orvana::app
