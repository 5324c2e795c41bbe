#include "app/desktop/mpris_state.h"

#include <QDBusObjectPath>
#include <QUrl>
#include <cmath>

namespace orvana::app {

namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

// "3/12" is track 3; no number at all is left out.
bool LeadingNumber(const std::string& text, int* number) {
  std::size_t digits = 0;
  while (digits < text.size() && digits < 9 && text[digits] >= '0' && text[digits] <= '9') ++digits;
  if (digits == 0) return false;
  *number = std::stoi(text.substr(0, digits));
  return true;
}

void InsertText(QVariantMap& map, const char* key, const std::string& text) {
  if (!text.empty()) map.insert(QString::fromLatin1(key), Text(text));
}

}  // namespace

QString MprisTrackId(const TMprisState& state) {
  if (!player::IsSongOpen(state.status)) return QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack");
  return QStringLiteral("/org/orvana/Track/%1").arg(state.track.serial);
}

QString MprisPlaybackStatus(player::TMP3Status status) {
  switch (status) {
    case player::msPlaying: return QStringLiteral("Playing");
    case player::msPaused: return QStringLiteral("Paused");
    default: return QStringLiteral("Stopped");
  }
}

QString MprisLoopStatus(bool repeat) { return repeat ? QStringLiteral("Playlist") : QStringLiteral("None"); }

QVariantMap MprisMetadata(const TMprisState& state) {
  QVariantMap metadata;
  metadata.insert(QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(MprisTrackId(state))));
  if (!player::IsSongOpen(state.status)) return metadata;
  const TMprisTrack& track = state.track;
  metadata.insert(QStringLiteral("mpris:length"), qint64(track.lengthMs) * 1000);
  InsertText(metadata, "xesam:title", track.title);
  if (!track.artist.empty()) metadata.insert(QStringLiteral("xesam:artist"), QStringList{Text(track.artist)});
  InsertText(metadata, "xesam:album", track.album);
  if (!track.genre.empty()) metadata.insert(QStringLiteral("xesam:genre"), QStringList{Text(track.genre)});
  int number = 0;
  if (LeadingNumber(track.trackNumber, &number)) metadata.insert(QStringLiteral("xesam:trackNumber"), number);
  if (!track.path.empty())
    metadata.insert(QStringLiteral("xesam:url"), QUrl::fromLocalFile(Text(track.path)).toString(QUrl::FullyEncoded));
  if (!track.coverFile.empty())
    metadata.insert(QStringLiteral("mpris:artUrl"),
                    QUrl::fromLocalFile(Text(track.coverFile)).toString(QUrl::FullyEncoded));
  if (!track.lyrics.empty()) {
    QStringList lines;
    for (const std::string& line : track.lyrics) lines << Text(line);
    metadata.insert(QStringLiteral("xesam:asText"), lines.join(QLatin1Char('\n')));
  }
  return metadata;
}

QVariantMap MprisPlayerProperties(const TMprisState& state) {
  return {
      {QStringLiteral("PlaybackStatus"), MprisPlaybackStatus(state.status)},
      {QStringLiteral("LoopStatus"), MprisLoopStatus(state.repeat)},
      {QStringLiteral("Shuffle"), state.shuffle},
      {QStringLiteral("Metadata"), MprisMetadata(state)},
      {QStringLiteral("Volume"), state.volume / 100.0},
      {QStringLiteral("Rate"), 1.0},
      {QStringLiteral("MinimumRate"), 1.0},
      {QStringLiteral("MaximumRate"), 1.0},
      {QStringLiteral("CanGoNext"), state.canGoNext},
      {QStringLiteral("CanGoPrevious"), state.canGoPrevious},
      {QStringLiteral("CanPlay"), state.canPlay},
      {QStringLiteral("CanPause"), state.canPause},
      {QStringLiteral("CanSeek"), state.canSeek},
      {QStringLiteral("CanControl"), true},
  };
}

QVariantMap ChangedMprisPlayerProperties(const TMprisState& before, const TMprisState& after) {
  const QVariantMap old = MprisPlayerProperties(before);
  QVariantMap changed = MprisPlayerProperties(after);
  for (auto it = changed.begin(); it != changed.end();) {
    if (old.value(it.key()) == it.value()) {
      it = changed.erase(it);
    } else {
      ++it;
    }
  }
  return changed;
}

int PlayerVolumeFromMpris(double volume) {
  if (!(volume > 0)) return 0;  // NaN too
  if (volume >= 1) return 100;
  return int(std::lround(volume * 100));
}

}  // namespace orvana::app
