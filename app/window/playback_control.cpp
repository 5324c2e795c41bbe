#include "app/window/playback_control.h"

#include <QPixmap>
#include <QStringList>
#include <algorithm>
#include <limits>
#include <vector>

#include "app/playlist/read_tag_v1.h"
#include "app/playlist/song_item.h"
#include "app/window/now_playing_text.h"
#include "player/network/network_address.h"

namespace orvana::app {

using namespace player;

namespace {

// A song this short, or that ends this soon after it started, held nothing
// to hear.
constexpr qint64 kEmptySongMs = 250;

QString Text(const std::string& text) { return QString::fromStdString(text); }

// The ID3v1 tag of a song that starts; a station's address has no file to
// hold one.
TTagRecord TagOfSong(const std::string& path, TTagRecord tag) {
  if (IsNetworkAddress(path)) return {};
  ReadTagV1(path, tag);
  return tag;
}

}  // namespace

TPlaybackControl::TPlaybackControl(TPlaylist& playlist, TMainWindowState& state, TMP3Player& player,
                                   TActionList& actions, const TMainWindowWidgets& widgets, TRandom& random,
                                   TWindowHooks hooks)
    : playlist_(playlist), state_(state), player_(player), actions_(actions), widgets_(widgets), random_(random),
      hooks_(std::move(hooks)), history_(*widgets.ComboBox1),
      cover_(TCoverCache::DefaultFolder(), QSize(kCoverShownSide, kCoverShownSide)) {}

void TPlaybackControl::Play() {
  lastPlay_ = TPlayOutcome::kMissing;
  if (playlist_.Empty()) return;
  if (!playlist_.ValidIndex(state_.currentIndex)) hooks_.setCurrentIndex(0);
  const int index = state_.currentIndex;
  const std::string path(ItemPath(playlist_.Item(index)));
  // Gone from the disk, or something that cannot be opened without waiting
  // (a FIFO): nothing to play, and nothing to say.
  if (!SongIsAvailable(path)) return;

  lastPlay_ = TPlayOutcome::kFailed;
  const TTagRecord tag = TagOfSong(path, state_.tag);
  // The player raises its errors here; the window stays as it was.
  player_.SetFileName(path);
  player_.Open();
  player_.Play();
  lastPlay_ = TPlayOutcome::kPlaying;
  SongStarted(index, path, tag);
  PrepareNext();
}

void TPlaybackControl::SongStarted(int index, const std::string& path, const TTagRecord& tag) {
  ++songsStarted_;
  songClock_.start();
  // A station has no length: only how soon it ends tells it held nothing.
  songLength_ = IsNetworkAddress(path) ? std::numeric_limits<std::int64_t>::max() : player_.Length();
  state_.tag = tag;
  // A song queued before its item left the list plays without one.
  const bool listed = playlist_.ValidIndex(index);
  if (listed) ShowSong(index, tag);
  ShowProperties();
  ShowLyrics(path);
  ShowCover(path);
  hooks_.updateCaption();
  if (hooks_.songHeard) hooks_.songHeard();
  if (!PlayedInPass({index, state_.playedList}, path)) state_.playedList.push_back(path);
  if (listed) history_.Add(path, std::string(playlist_.Item(index).Caption()));
}

void TPlaybackControl::SongChanged() {
  const std::string path = player_.FileName();
  int index = FirstItemWithPath(path);
  if (prepared_ && prepared_->path == path) {
    // The pass as it stood when the song was picked; the list may have moved it.
    state_.playedList = prepared_->pass.played;
    if (playlist_.ValidIndex(prepared_->index) && ItemPath(playlist_.Item(prepared_->index)) == path)
      index = prepared_->index;
  }
  prepared_.reset();
  if (index >= 0) hooks_.setCurrentIndex(index);
  const TTagRecord tag = TagOfSong(path, state_.tag);
  CountEmptyEnd();
  SongStarted(index, path, tag);
  if (emptyEnds_ < playlist_.Count()) PrepareNext();
}

void TPlaybackControl::PrepareNext() {
  if (!IsSongOpen(player_.Status())) return;
  const std::string drawn = prepared_ ? prepared_->path : std::string();
  prepared_ = SongAfterCurrent(playlist_, {state_.currentIndex, state_.playedList}, Modes(), random_,
                               SongIsAvailable, drawn);
  // A station is not queued to follow without a gap: it starts once the
  // song before has ended.
  if (!prepared_ || IsNetworkAddress(prepared_->path)) {
    player_.ClearNext();
    return;
  }
  if (player_.NextFileName() == prepared_->path) return;
  try {
    player_.QueueNext(prepared_->path);
  } catch (const std::exception&) {
    // Not queued: its turn comes when this song ends, and says what is wrong.
  }
}

void TPlaybackControl::ShowSong(int index, const TTagRecord& tag) {
  TPlaylistItem item = playlist_.Item(index);
  // A station's row keeps its caption and "--:--": it has no tag, no length.
  const bool station = IsNetworkAddress(ItemPath(item));
  if (!station) UpdateItemFromTag(item, tag);
  const std::int64_t length = player_.Length();
  // The time column lies before the path; an item cut short in a damaged
  // list file may not have one.
  if (!station && item.SubItemCount() > siTime + 1) {
    if (item.SubItem(siTime) == kUnknownTime) state_.totalSeconds += int(length / 1000);
    item.SetSubItem(siTime, DurationText(length));
  }
  playlist_.SetItem(index, std::move(item));
  widgets_.ListView1->ScrollIntoView(index);
  widgets_.ProgressBar1->SetLength(length);
}

void TPlaybackControl::ShowProperties() {
  const std::string title = player_.Title();
  // A station names itself where a song names its artist.
  const std::string artist = player_.NetworkStream() ? player_.Station().name : player_.Artist();
  widgets_.edtTitle->setText(Text(title + " - " + artist));
  widgets_.lblTitle->setText(Text(title));
  widgets_.lblArtist->setText(Text(artist));
  widgets_.lblAlbum->setText(Text(AlbumText(player_.Album(), player_.Track())));
  widgets_.lblYear->setText(Text(player_.Year()));
  widgets_.lblGenre->setText(Text(player_.KnownGenre()));
  widgets_.lblComment->setText(Text(player_.Comment()));
  widgets_.lblFileName->setText(Text(player_.FileName()));
  widgets_.lblLength->setText(
      Text(AudioPropertiesText(player_.Length(), player_.Layer(), player_.Bitrate(), player_.Frequency())));
}

void TPlaybackControl::ShowLyrics(const std::string& path) {
  bool loaded = false;
  if (IsNetworkAddress(path)) {
    lyrics_ = TLyrics();  // no file lies beside a station
  } else {
    loaded = lyrics_.LoadLyrics(path);
  }
  QStringList lines;
  for (const std::string& line : lyrics_.Lines()) lines << Text(line);
  widgets_.memLyrics->setPlainText(lines.join('\n'));
  widgets_.memLyrics->setVisible(loaded);
}

void TPlaybackControl::ShowCover(const std::string& path) {
  QImage image = cover_.Load(path, !IsNetworkAddress(path));
  QLabel& label = *widgets_.imgCover;
  if (image.isNull()) {
    label.clear();
    label.hide();
  } else {
    // The label's pixmap is the only copy kept.
    label.setPixmap(QPixmap::fromImage(std::move(image)));
    label.show();
  }
}

void TPlaybackControl::Stop() {
  if (player_.Status() == msPaused) Invoke(aiPause);
  player_.Stop();
  player_.Close();
  prepared_.reset();
  hooks_.updateCaption();
  state_.playedList.clear();
  widgets_.ProgressBar1->setValue(0);
}

void TPlaybackControl::Pause() {
  if (player_.Status() == msPaused) {
    player_.Resume();
  } else {
    player_.Pause();
  }
  actions_[aiPause].SetChecked(player_.Status() == msPaused);
}

void TPlaybackControl::Step(bool forward) {
  const int count = playlist_.Count();
  if (count == 0) return;
  TPassState pass{state_.currentIndex, state_.playedList};
  if (forward) {
    passEnded_ = !StepForward(pass, playlist_, Modes(), random_);
    state_.playedList = std::move(pass.played);
    if (passEnded_) return;
    hooks_.setCurrentIndex(pass.currentIndex);
  } else {
    passEnded_ = !RenewFullPass(pass, playlist_, Modes());
    state_.playedList = std::move(pass.played);
    if (passEnded_) return;
    const int current = state_.currentIndex;
    if (Modes().shuffle) {
      // Back to the song played before this one.
      if (history_.Count() < 2) return;
      const int index = FirstItemWithPath(history_.PathAt(history_.Count() - 2));
      if (index >= 0) hooks_.setCurrentIndex(index);
    } else {
      hooks_.setCurrentIndex(current <= 0 || current > count ? count - 1 : current - 1);
    }
  }
  widgets_.ListView1->ScrollIntoView(state_.currentIndex);
  if (IsSongOpen(player_.Status())) Invoke(aiPlay);
}

void TPlaybackControl::EndPlay(TMP3EndPlayReason reason) {
  if (reason == meprEndOfStream) {
    CountEmptyEnd();
    if (emptyEnds_ < playlist_.Count()) FollowEndedSong();
    // A pass that ends by itself is over: the next play starts a new one.
    if (player_.Status() == msStopped) state_.playedList.clear();
  }
  // Playback may have ended here: the caption no longer says it plays.
  if (player_.Status() == msStopped) hooks_.updateCaption();
}

void TPlaybackControl::CountEmptyEnd() {
  // Files that end as soon as they start, one after another, would have
  // the list go round for ever without a sound.
  const bool empty = songLength_ < kEmptySongMs || (songClock_.isValid() && songClock_.elapsed() < kEmptySongMs);
  emptyEnds_ = empty ? emptyEnds_ + 1 : 0;
}

void TPlaybackControl::FollowEndedSong() {
  // A song that is gone from the disk counts as ended at once, so the next
  // one is tried; at most one round of the list.
  for (int attempt = 0; attempt < playlist_.Count(); ++attempt) {
    const bool lastItem = state_.currentIndex == playlist_.Count() - 1;
    if (lastItem && !actions_[aiRepeat].Checked()) return;
    passEnded_ = false;
    Invoke(aiNext);
    if (passEnded_) return;
    Invoke(aiPlay);
    if (lastPlay_ != TPlayOutcome::kMissing) return;
  }
}

void TPlaybackControl::PositionChanged() {
  if (player_.NetworkStream()) {
    ShowStationState();
    return;
  }
  TSeekBar& bar = *widgets_.ProgressBar1;
  bar.SetPosition(player_.Position());
  const QString lyric = Text(lyrics_.LyricAt(bar.value()));
  // Setting the same text would still repaint the line.
  if (widgets_.edtLyrics->text() != lyric) widgets_.edtLyrics->setText(lyric);
}

void TPlaybackControl::StationChanged() {
  if (!player_.NetworkStream()) return;
  ShowProperties();
  ShowStationState();
  // The list names the station, the history what it plays now.
  playlist_.SetCaptionByPath(player_.FileName(), player_.Station().name);
  if (playlist_.ValidIndex(state_.currentIndex)) history_.Add(player_.FileName(), player_.Title());
  hooks_.updateCaption();
  if (hooks_.songHeard) hooks_.songHeard();
}

void TPlaybackControl::ShowStationState() {
  const QString state = Text(StationStateText(player_.Connecting(), player_.Buffering()));
  if (widgets_.edtLyrics->text() != state) widgets_.edtLyrics->setText(state);
  widgets_.ProgressBar1->setValue(0);
}

void TPlaybackControl::StatusChanged() {
  actions_.UpdateAll();
  // A new song started while paused plays: the pause button says so.
  actions_[aiPause].SetChecked(player_.Status() == msPaused);
}

void TPlaybackControl::PlayRow(int row) {
  if (!playlist_.ValidIndex(row)) return;
  hooks_.setCurrentIndex(row);
  Invoke(aiPlay);
}

void TPlaybackControl::PlayHistoryEntry(int index) { PlayRow(FirstItemWithPath(history_.PathAt(index))); }

void TPlaybackControl::SeekAt(int x) {
  const TSeekBar& bar = *widgets_.ProgressBar1;
  SeekTo(PositionAt(x, bar.width(), bar.maximum()));
}

void TPlaybackControl::SeekTo(std::int64_t milliseconds) {
  // Nor a station, which plays as it comes.
  if (!player_.Capabilities().Has(mpcSeek)) return;
  TSeekBar& bar = *widgets_.ProgressBar1;
  bar.SetPosition(milliseconds);
  player_.Seek(bar.value());
  if (hooks_.seeked) hooks_.seeked(bar.value());
}

int TPlaybackControl::FirstItemWithPath(const std::string& path) const {
  if (path.empty()) return -1;
  for (int index = 0; index < playlist_.Count(); ++index)
    if (ItemPath(playlist_.Item(index)) == path) return index;
  return -1;
}

}  // namespace orvana::app
