// TMP3Player: a change of the engine's tables (equalizer, song gain) made
// heard at once, by decoding again what was sent on but not yet heard.
#include <algorithm>
#include <mutex>

#include "player/mp3_player.h"
#include "player/song_gain.h"

namespace orvana::player {
namespace {

// Sound closer to the ear than this stays as it was: the server's sink
// holds some, and the decoder needs a moment to get ahead of it again.
constexpr int kReviseLeadMs = 100;
// Layer III takes up to 511 bytes of a frame's data from the frames before
// it, and the filterbanks carry one frame into the next: decoding starts
// that far back (unheard) so that the revised sound joins the old exactly.
constexpr std::int64_t kReservoirBytes = 512;
constexpr int kMostWarmUpFrames = 16;

int WarmUpStart(const TMPSeekTable& table, int frame) {
  int first = frame;
  std::int64_t bytes = 0;
  while (first > 0 && frame - first < kMostWarmUpFrames && bytes < kReservoirBytes) {
    --first;
    bytes += table.At(first + 1) - table.At(first);
  }
  return std::max(0, first - 1);
}

}  // namespace

void TMP3Player::ApplyEqualizer() {
  // Under the decode lock, so that no frame is decoded with half-written tables.
  std::lock_guard decode(decodeLock_);
  MapEngineTables();
}

void TMP3Player::MapEngineTables() {
  if (decodeStep_.Track() == nullptr) return;
  const bool changed = !SameShaping(equalizer_, engineEqualizer_) || replayGain_ != engineReplayGain_;
  if (changed) ReviseUnheard();
  const TMPTrack& decoded = *decodeStep_.Track();
  ApplyEqualizerMapping(equalizer_, decoded.Layer(), decoded.Frequency(), engine_.equalizer,
                        SongGain(decoded, replayGain_));
  engineEqualizer_ = equalizer_;
  engineReplayGain_ = replayGain_;
}

void TMP3Player::ReviseUnheard() {
  if (status_ != msPlaying && status_ != msPaused) return;
  TMPTrack* track = decodeStep_.Track();
  // What cannot be read again (a pipe, a station) is heard changed once the output has played what it holds.
  if (track == nullptr || !current_ || !track->Seekable()) return;
  std::lock_guard output(outputLock_);
  const std::int64_t frameBytes = track->BytesPerSample();
  const std::int64_t lead = std::int64_t{track->Frequency()} * frameBytes * kReviseLeadMs / 1000;
  const std::int64_t from = (soundOut_.PlayedBytesNow() + lead) / frameBytes * frameBytes;
  std::int64_t start = decodeStep_.TrackStartInOutput();
  // Decoding may have gone on into the next song while this one is heard.
  const bool backToHeard = from < start && track == next_.get();
  if (from < start && !backToHeard) return;
  if (!soundOut_.BeginRevision(from)) return;
  if (backToHeard) {
    next_->Rewind();  // it starts over when its turn comes, at its mark
    track = current_.get();
    start = decodeStep_.PreviousTrackStartInOutput();
    decodeStep_.SetTrack(track);
    decodeStep_.SetNextTrack(next_.get());
    decodeStep_.SetTrackStartInOutput(start);
  }
  const std::int64_t playFrom = track->OutputOrigin() + (from - start);
  {
    std::lock_guard table(track->seekTable);
    const int frame = LocateFrame(*track, static_cast<int>(playFrom / track->PcmBytesPerFrame()));
    const int first = WarmUpStart(track->seekTable, frame);
    track->reader.Seek(track->seekTable.At(first), soBeginning);
    track->frames.ClearPending();
    track->ReviseAt(std::int64_t{first} * track->PcmBytesPerFrame(), playFrom);
  }
  decodeStep_.DropPendingPcm();
  decodeStep_.RequestReinit();
  decodeStep_.LookAgain();
  decodeThread_.WakeEvent().SetEvent();
}

}  // namespace orvana::player
